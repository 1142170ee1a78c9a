// Builds the pictures of the panel image: the program's own numbered bitmaps and, for every
// language with button labels, the button bitmaps GRAPHIC_001 to 077 (but 6 and 34, which no
// screen holds) and the pictures of the warnings that have help texts. SVG documents are rasterized
// by rsvg-convert and written as 24-bit BMP files, the format the display loads.
//
//   orvane-artwork <assets dir> <panel image dir> <work dir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "i18n/language.h"
#include "i18n/resources.h"
#include "platform/gfx/bmp.h"
#include "platform/gfx/font.h"
#include "platform/gfx/png.h"
#include "resources/program_bitmaps.h"
#include "tools/artwork/artwork.h"
#include "tools/artwork/program_art.h"
#include "tools/common/source_text.h"

namespace fs = std::filesystem;

namespace {

using tools::fail;

// The tab-separated fields of every line that is not blank or a '#' note.
std::optional<std::vector<std::vector<std::string>>> readTable(const fs::path& path,
                                                               size_t fields) {
    const auto text = tools::readSourceText(path);
    if (!text) return std::nullopt;
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(*text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> row;
        std::istringstream cells(line);
        std::string cell;
        while (row.size() + 1 < fields && std::getline(cells, cell, '\t'))
            row.push_back(cell);
        if (std::getline(cells, cell)) row.push_back(cell);
        if (row.size() != fields) {
            fail(path.string() + ":" + std::to_string(lineNumber) + ": expected " +
                 std::to_string(fields) + " tab-separated fields");
            return std::nullopt;
        }
        rows.push_back(row);
    }
    return rows;
}

std::optional<int> number(const std::string& text) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 0 || value > 100000) return std::nullopt;
    return static_cast<int>(value);
}

std::map<int, std::string> numbered(const std::vector<std::vector<std::string>>& rows) {
    std::map<int, std::string> out;
    for (const auto& row : rows) {
        if (auto n = number(row[0])) out[*n] = row[1];
    }
    return out;
}

std::optional<std::string> icon(const fs::path& assets, const std::string& name) {
    if (name == "-") return std::string();
    const auto text = tools::readSourceText(assets / "artwork" / "icons" / (name + ".svg"));
    if (!text) return std::nullopt;
    return artwork::iconContent(*text);
}

std::optional<std::vector<artwork::ButtonSpec>> readButtons(const fs::path& assets) {
    const auto rows = readTable(assets / "artwork" / "buttons.txt", 4);
    if (!rows) return std::nullopt;
    std::vector<artwork::ButtonSpec> specs;
    for (const auto& row : *rows) {
        artwork::ButtonSpec entry;
        const auto n = number(row[0]);
        const size_t x = row[1].find('x');
        const auto w = number(row[1].substr(0, x));
        const auto h = x == std::string::npos ? std::nullopt : number(row[1].substr(x + 1));
        const auto content = icon(assets, row[3]);
        if (!n || *n < 1 || *n >= i18n::kButtonBitmapCount || !w || !h || !content) {
            fail("buttons.txt: bad line for " + row[0]);
            return std::nullopt;
        }
        specs.push_back({*n, *w, *h, row[2], *content});
    }
    return specs;
}

// Rasterizes an SVG document at its own size and writes it as a BMP file.
bool render(const std::string& svg, const fs::path& work, const fs::path& target,
            std::optional<platform::gfx::Size> size = std::nullopt) {
    const fs::path svgPath = work / "picture.svg";
    const fs::path pngPath = work / "picture.png";
    {
        std::ofstream out(svgPath, std::ios::binary | std::ios::trunc);
        out << svg;
        if (!out) return fail(svgPath.string() + ": cannot be written");
    }
    const std::string command =
        "rsvg-convert -o '" + pngPath.string() + "' '" + svgPath.string() + "'";
    if (std::system(command.c_str()) != 0) return fail("rsvg-convert failed on " + target.string());
    const auto picture = platform::gfx::loadPng(pngPath.string());
    if (!picture) return fail(pngPath.string() + ": not a readable PNG");
    if (size && picture->size() != *size) return fail(target.string() + ": drawn at a wrong size");
    std::error_code ignored;
    fs::create_directories(target.parent_path(), ignored);
    return platform::gfx::writeBmp(*picture, target.string()) ||
           fail(target.string() + ": cannot be written");
}

bool buildButtons(const std::vector<artwork::ButtonSpec>& specs,
                  const std::map<int, std::string>& labels, const fs::path& folder,
                  const fs::path& work) {
    for (const auto& entry : specs) {
        std::string svg;
        if (entry.style.starts_with("discharge:")) {
            svg = artwork::dischargeSvg(number(entry.style.substr(10)).value_or(1));
        } else {
            const auto label = labels.find(entry.number);
            if (label == labels.end()) {
                return fail(folder.string() + ": no label for button " +
                            std::to_string(entry.number));
            }
            svg = artwork::buttonSvg(entry, label->second);
        }
        const fs::path target =
            folder / "Bitmaps" / std::string(i18n::ButtonBitmapNames[entry.number]);
        if (!render(svg, work, target)) return false;
    }
    return true;
}

bool buildProgramBitmaps(const fs::path& image, const fs::path& work) {
    for (const resources::ProgramBitmapSpec& entry : resources::programBitmapTable()) {
        const std::string svg = artwork::programBitmapSvg(entry.number);
        if (svg.empty())
            return fail("no drawing for program bitmap " + std::to_string(entry.number));
        std::string relative = resources::ProgramBitmapPath(entry.number).substr(1);
        std::replace(relative.begin(), relative.end(), '\\', '/');
        const fs::path target = image / relative;
        if (!render(svg, work, target, platform::gfx::Size{entry.width, entry.height}))
            return false;
    }
    return true;
}

struct Device {
    int nodeId;
    const char* name;
    const char* source;
};

constexpr Device kDevices[] = {{1, "DISPLAY I/O", "DIO.txt"},
                               {2, "FAN/HEATER", "FH.txt"},
                               {14, "MAIN I/O", "MIO.txt"},
                               {15, "MOISTURE CONT", "MC.txt"}};

bool buildWarningPictures(const fs::path& assets, const fs::path& source, const fs::path& folder,
                          const fs::path& work) {
    const auto rows = readTable(assets / "artwork" / "warning_pictures.txt", 3);
    if (!rows) return false;
    for (const auto& row : *rows) {
        const auto node = number(row[0]);
        const auto warning = number(row[1]);
        const auto content = icon(assets, row[2]);
        const Device* device = nullptr;
        for (const auto& d : kDevices) {
            if (node && d.nodeId == *node) device = &d;
        }
        if (!device || !warning || !content) return fail("warning_pictures.txt: bad line");
        const auto texts = readTable(source / "warnings" / device->source, 2);
        if (!texts) return false;
        const auto text = numbered(*texts);
        if (!text.contains(*warning)) {
            return fail(device->source + std::string(": no text for warning ") + row[1]);
        }
        char code[8];
        char name[48];
        // One picture serves all six fan/heaters, so it names the warning but no node.
        if (device->nodeId == 2)
            std::snprintf(code, sizeof code, "--%02X", *warning & 0xFF);
        else
            std::snprintf(code, sizeof code, "%02X%02X", *node, *warning & 0xFF);
        std::snprintf(name, sizeof name, "NID_%02d_WARNING_ID_%02d.bmp", *node, *warning);
        const artwork::WarningPicture picture{device->name, code, *content, text.at(*warning)};
        if (!render(artwork::warningSvg(picture), work, folder / "WarningBitmaps" / name)) {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <assets dir> <panel image dir> <work dir>\n", argv[0]);
        return 2;
    }
    const fs::path assets = argv[1];
    const fs::path image = argv[2];
    const fs::path languages = image / "Hard Disk" / "Languages";
    const fs::path work = argv[3];
    std::error_code ignored;
    fs::create_directories(work, ignored);
    const auto specs = readButtons(assets);
    bool ok = specs.has_value() &&
              (platform::gfx::fontsAvailable() || fail("the DejaVu Sans fonts are missing")) &&
              buildProgramBitmaps(image, work);
    for (int id = 0; ok && id < i18n::kLanguageCount; ++id) {
        const std::string code(i18n::languageInfo(static_cast<i18n::LanguageId>(id)).folderCode);
        const fs::path source = assets / "languages" / code;
        if (!fs::exists(source / "buttons.txt", ignored)) continue;
        const auto labels = readTable(source / "buttons.txt", 2);
        ok = labels && buildButtons(*specs, numbered(*labels), languages / code, work) &&
             buildWarningPictures(assets, source, languages / code, work);
    }
    if (!ok) {
        std::fprintf(stderr, "orvane-artwork: %s\n", tools::firstFailure().c_str());
        return 1;
    }
    return 0;
}
