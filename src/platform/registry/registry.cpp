#include "platform/registry/registry.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>

namespace platform {
namespace {

// Store layout: "ORVREG1\n", then records of
//   u16 key length, key, u16 name length, name, u32 value length, value
// and last a u32 checksum (FNV-1a) over everything before it. Anything that does not parse in
// full is treated as an empty store.
constexpr std::string_view kMagic = "ORVREG1\n";
constexpr size_t kMaxValueBytes = 1 << 20;

using Values = RegistryValues;

std::mutex gMutex;
std::string gFile;

std::string folded(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    while (!out.empty() && out.back() == '\\')
        out.pop_back();
    while (!out.empty() && out.front() == '\\')
        out.erase(out.begin());
    return out;
}

uint32_t fnv1a(std::span<const uint8_t> bytes, size_t n) {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < n; ++i)
        h = (h ^ bytes[i]) * 16777619u;
    return h;
}

struct Reader {
    std::span<const uint8_t> bytes;
    size_t end;
    size_t pos = 0;
    bool take(size_t n, const uint8_t*& p) {
        if (end - pos < n) return false;
        p = bytes.data() + pos;
        pos += n;
        return true;
    }
    bool number(size_t width, uint32_t& v) {
        const uint8_t* p = nullptr;
        if (!take(width, p)) return false;
        v = 0;
        for (size_t i = 0; i < width; ++i)
            v |= static_cast<uint32_t>(p[i]) << (8 * i);
        return true;
    }
    bool blob(size_t width, std::vector<uint8_t>& out) {
        uint32_t n = 0;
        const uint8_t* p = nullptr;
        if (!number(width, n) || n > kMaxValueBytes || !take(n, p)) return false;
        out.assign(p, p + n);
        return true;
    }
};

void putNumber(std::vector<uint8_t>& out, size_t width, size_t v) {
    for (size_t i = 0; i < width; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

Values parseRegistryStore(std::span<const uint8_t> bytes) {
    if (bytes.size() < kMagic.size() + 4 ||
        !std::equal(kMagic.begin(), kMagic.end(), bytes.begin())) {
        return {};
    }
    const size_t body = bytes.size() - 4;
    uint32_t stored = 0;
    for (size_t i = 0; i < 4; ++i)
        stored |= static_cast<uint32_t>(bytes[body + i]) << (8 * i);
    if (stored != fnv1a(bytes, body)) return {};
    Values values;
    Reader r{bytes, body, kMagic.size()};
    while (r.pos < body) {
        std::vector<uint8_t> key, name, value;
        if (!r.blob(2, key) || !r.blob(2, name) || !r.blob(4, value)) return {};
        values[{std::string(key.begin(), key.end()), std::string(name.begin(), name.end())}] =
            std::move(value);
    }
    return values;
}

std::vector<uint8_t> serializeRegistryStore(const Values& values) {
    std::vector<uint8_t> out(kMagic.begin(), kMagic.end());
    for (const auto& [id, value] : values) {
        putNumber(out, 2, id.first.size());
        out.insert(out.end(), id.first.begin(), id.first.end());
        putNumber(out, 2, id.second.size());
        out.insert(out.end(), id.second.begin(), id.second.end());
        putNumber(out, 4, value.size());
        out.insert(out.end(), value.begin(), value.end());
    }
    putNumber(out, 4, fnv1a(out, out.size()));
    return out;
}

namespace {

Values load() {
    std::ifstream in(gFile, std::ios::binary);
    if (!in) return {};
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    return parseRegistryStore(bytes);
}

bool writeAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Write a temporary file beside the store, flush it to the disk, then rename it over the store.
bool save(const Values& values) {
    const std::string temp = gFile + ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool ok = writeAll(fd, serializeRegistryStore(values)) && ::fsync(fd) == 0;
    ::close(fd);
    if (!ok || std::rename(temp.c_str(), gFile.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace

void registryOpen(const std::string& hostFile) {
    std::lock_guard lock(gMutex);
    gFile = hostFile;
}

bool registryRead(std::string_view keyPath, std::string_view name, std::vector<uint8_t>& out) {
    std::lock_guard lock(gMutex);
    if (gFile.empty()) return false;
    const Values values = load();
    const auto it = values.find({folded(keyPath), folded(name)});
    if (it == values.end()) return false;
    out = it->second;
    return true;
}

bool registryWrite(std::string_view keyPath, std::string_view name,
                   std::span<const uint8_t> bytes) {
    std::lock_guard lock(gMutex);
    if (gFile.empty() || bytes.size() > kMaxValueBytes || keyPath.size() > 0xFFFF ||
        name.size() > 0xFFFF) {
        return false;
    }
    Values values = load();
    values[{folded(keyPath), folded(name)}].assign(bytes.begin(), bytes.end());
    return save(values);
}

bool registryDelete(std::string_view keyPath, std::string_view name) {
    std::lock_guard lock(gMutex);
    if (gFile.empty()) return false;
    Values values = load();
    if (values.erase({folded(keyPath), folded(name)}) == 0) return false;
    return save(values);
}

}  // namespace platform
