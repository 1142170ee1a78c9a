#include "logging/log_files.h"

#include <cstring>

namespace logging {

std::vector<platform::FileInfo> listLogFiles(std::string_view pattern) {
    std::vector<platform::FileInfo> files;
    for (auto& entry : platform::listFolder(pattern)) {
        if (!entry.isFolder) files.push_back(std::move(entry));
    }
    return files;
}

std::vector<platform::FileInfo> keepTwoNewest(std::string_view folder, std::string_view pattern,
                                              const std::vector<platform::FileInfo>& files) {
    if (files.size() <= 2) return files;
    for (size_t i = 0; i + 2 < files.size(); ++i) {
        platform::deleteFile(std::string(folder) + "\\" + files[i].name);
    }
    return listLogFiles(pattern);
}

std::string datedLogName(std::string_view prefix, const platform::LocalTime& now) {
    return std::string(prefix) + platform::formatPicture(now, "yy'_'MM'_'dd'_'") +
           platform::formatPicture(now, "HH'_'mm'_'ss") + ".DAT";
}

bool appendSample(std::string_view path, const DryerSample& sample) {
    platform::File file = platform::openFile(path, platform::FileAccess::ReadWrite,
                                             platform::Disposition::OpenAlways);
    const int64_t size = file.size();
    if (size < 0) return false;
    const auto whole = static_cast<int64_t>(wholeSampleBytes(static_cast<uint64_t>(size)));
    if (file.seek(whole, platform::SeekFrom::Begin) != whole) return false;
    if (whole != size && !file.truncateHere()) return false;
    if (!file.write(sample.bytes.data(), sample.bytes.size())) {
        if (file.seek(whole, platform::SeekFrom::Begin) == whole) file.truncateHere();
        return false;
    }
    return file.sync();
}

SampleRead readSamples(std::string_view path, uint64_t first, uint64_t count, uint8_t* out) {
    platform::File file =
        platform::openFile(path, platform::FileAccess::Read, platform::Disposition::OpenExisting);
    if (!file.isOpen()) return SampleRead::CannotOpen;
    const auto offset = static_cast<int64_t>(first * kDryerSampleSize);
    if (file.seek(offset, platform::SeekFrom::Begin) != offset) return SampleRead::Short;
    const auto bytes = static_cast<size_t>(count * kDryerSampleSize);
    size_t got = 0;
    return file.read(out, bytes, got) && got == bytes ? SampleRead::Ok : SampleRead::Short;
}

uint64_t SampleFiles::totalSampleBytes() const {
    uint64_t total = 0;
    for (uint64_t size : sizes)
        total += wholeSampleBytes(size);
    return total;
}

SampleFiles sampleFilesOnDisk(std::string_view folder,
                              const std::vector<platform::FileInfo>& files) {
    SampleFiles out;
    std::vector<std::string> paths;
    for (const auto& file : files) {
        out.sizes.push_back(file.size);
        paths.push_back(std::string(folder) + "\\" + file.name);
    }
    out.read = [paths](size_t file, uint64_t first, uint64_t count, uint8_t* to) {
        return readSamples(paths[file], first, count, to);
    };
    return out;
}

SampleFiles sampleFilesInMemory(std::vector<std::span<const uint8_t>> files) {
    SampleFiles out;
    for (const auto& file : files)
        out.sizes.push_back(file.size());
    out.read = [files](size_t file, uint64_t first, uint64_t count, uint8_t* to) {
        const std::span<const uint8_t> bytes = files[file];
        const uint64_t begin = first * kDryerSampleSize;
        const uint64_t length = count * kDryerSampleSize;
        if (begin > bytes.size() || bytes.size() - begin < length) return SampleRead::Short;
        std::memcpy(to, bytes.data() + begin, length);
        return SampleRead::Ok;
    };
    return out;
}

}  // namespace logging
