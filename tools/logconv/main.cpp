// orvane-logconv: the graph data log and the short-term log files as CSV for a laptop.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "logconv/sample_csv.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: orvane-logconv [--out DIR] PATH...\n"
    "  PATH  a log file (GRAPH_DATA_LOG_24HR....DAT, DATA_LOG_24HR....DAT) or a folder: every\n"
    "        log file in it and below it (the panel's Hard Disk, a USB copy) is converted\n"
    "  --out the folder for the CSV files (default: the working folder); each is named as its\n"
    "        log file, with .csv\n";

// Converts one file; false when it was bad in part or could not be read or written.
bool convertFile(const fs::path& path, const fs::path& outDir) {
    const auto stamp = logconv::stampFromLogName(path.filename().string());
    if (!stamp) {
        std::cerr << path.string() << ": not a log file name (no creation stamp)\n";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << path.string() << ": cannot open\n";
        return false;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    const logconv::Conversion c = logconv::convertSamples(bytes, *stamp);
    const fs::path target = outDir / path.filename().replace_extension(".csv");
    std::ofstream out(target, std::ios::binary);
    out << c.csv;
    out.close();
    if (!out) {
        std::cerr << target.string() << ": cannot write\n";
        return false;
    }
    std::cout << path.string() << ": " << c.samples << " samples -> " << target.string() << "\n";
    for (const logconv::BadSpot& b : c.bad)
        std::cerr << path.string() << ": offset " << b.offset << ": " << b.why << "\n";
    return c.bad.empty();
}

bool convertFolder(const fs::path& folder, const fs::path& outDir) {
    bool ok = true;
    int found = 0;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (!it->is_regular_file() || !logconv::stampFromLogName(it->path().filename().string()))
            continue;
        ++found;
        ok = convertFile(it->path(), outDir) && ok;
    }
    if (error) {
        std::cerr << folder.string() << ": " << error.message() << "\n";
        return false;
    }
    if (found == 0) std::cerr << folder.string() << ": no log files\n";
    return ok && found > 0;
}

}  // namespace

int main(int argc, char** argv) {
    fs::path outDir = ".";
    std::vector<fs::path> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (a == "--out" && i + 1 < argc) {
            outDir = argv[++i];
        } else if (!a.empty() && a[0] != '-') {
            paths.emplace_back(a);
        } else {
            std::cerr << "orvane-logconv: bad option " << a << "\n" << kUsage;
            return 2;
        }
    }
    if (paths.empty()) {
        std::cerr << kUsage;
        return 2;
    }
    std::error_code error;
    fs::create_directories(outDir, error);
    bool ok = true;
    for (const fs::path& p : paths) {
        if (fs::is_directory(p)) {
            ok = convertFolder(p, outDir) && ok;
        } else if (fs::exists(p)) {
            ok = convertFile(p, outDir) && ok;
        } else {
            std::cerr << p.string() << ": no such file or folder\n";
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
