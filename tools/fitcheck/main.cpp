// orvane-fitcheck [--report-only] [--language NAME] FILE...
// Reads `extents` dumps (one screen a file, named after the screen) and reports, per language
// and screen, every text that leaves its rectangle or the screen, overlaps another text of its
// window, lacks contrast against what it is drawn on or is too small. Exit 0 when nothing is
// reported, 1 when something is (0 with --report-only), 2 for a bad option or an unreadable file.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "fitcheck.h"

namespace {

struct Tally {
    int screens = 0;
    int texts = 0;
    int reported = 0;
};

int usage() {
    std::cerr << "usage: orvane-fitcheck [--report-only] [--language NAME] FILE...\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    bool reportOnly = false;
    std::string language;
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--report-only") {
            reportOnly = true;
        } else if (arg == "--language" && i + 1 < argc) {
            language = argv[++i];
        } else if (arg.starts_with("--")) {
            return usage();
        } else {
            files.emplace_back(arg);
        }
    }
    if (files.empty()) return usage();

    std::map<std::string, Tally> tallies;
    bool unreadable = false;
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream dump;
        dump << in.rdbuf();
        if (!in) {
            std::cerr << "orvane-fitcheck: cannot read " << file.string() << "\n";
            unreadable = true;
            continue;
        }
        std::vector<std::string> errors;
        const auto texts = fitcheck::parseExtents(dump.str(), errors);
        for (const auto& e : errors)
            std::cerr << "orvane-fitcheck: " << file.string() << ": " << e << "\n";
        unreadable = unreadable || !errors.empty();
        const std::string lang =
            language.empty() ? file.parent_path().filename().string() : language;
        const std::string where = lang + " " + file.stem().string() + ": ";
        const auto found = fitcheck::check(texts);
        for (const auto& f : found)
            std::cout << where << f << "\n";
        Tally& t = tallies[lang];
        ++t.screens;
        t.texts += static_cast<int>(texts.size());
        t.reported += static_cast<int>(found.size());
    }
    int reported = 0;
    for (const auto& [lang, t] : tallies) {
        std::cout << lang << ": " << t.screens << " screens, " << t.texts << " texts checked, "
                  << t.reported << " reported\n";
        reported += t.reported;
    }
    if (unreadable) return 2;
    return reported > 0 && !reportOnly ? 1 : 0;
}
