// Screens fetch their texts on every repaint, so a fetch must stay a bounded copy; a change of
// language reloads the ten tables from the flash disk.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "i18n/language.h"
#include "i18n/line_file.h"
#include "platform/files/files.h"
#include "support/temp_dir.h"

namespace {

struct Panel {
    Panel() {
        std::vector<std::string> strings;
        for (int n = 1; n <= 522; ++n)
            strings.push_back("TEXT NUMBER " + std::to_string(n) + " ÄÖÜ");
        std::vector<std::string> warnings = {"header"};
        for (int n = 1; n <= 40; ++n)
            warnings.push_back("0F01 WARNING TEXT OF A TYPICAL LENGTH " + std::to_string(n));
        write("Hard Disk/Languages/EN/EnglishStrings.txt", strings);
        write("Hard Disk/Languages/DE/GermanStrings.txt", strings);
        for (const char* file : {"WarningsDIO.txt", "WarningsFH1.txt", "WarningsFH2.txt",
                                 "WarningsFH3.txt", "WarningsFH4.txt", "WarningsFH5.txt",
                                 "WarningsFH6.txt", "WarningsMIO.txt", "WarningsMC.txt"}) {
            write(std::string("Hard Disk/Languages/EN/") + file, warnings);
        }
        platform::configureDevicePaths(root.str(), "");
        i18n::ResetLocalization();
    }
    void write(const std::string& path, const std::vector<std::string>& lines) {
        const auto bytes = i18n::encodeLineFile(lines);
        root.write(path, std::string(bytes.begin(), bytes.end()));
    }
    testsupport::TempDir root;
};

Panel& panel() {
    static Panel p;
    return p;
}

void BM_GetString(benchmark::State& state) {
    panel();
    std::string text;
    int n = 1;
    for (auto _ : state) {
        i18n::GetString(n, text);
        benchmark::DoNotOptimize(text.data());
        n = n % 522 + 1;
    }
}
BENCHMARK(BM_GetString);

void BM_GetWarningText(benchmark::State& state) {
    panel();
    for (auto _ : state)
        benchmark::DoNotOptimize(i18n::GetWarningText(15, 7));
}
BENCHMARK(BM_GetWarningText);

void BM_SetLanguage(benchmark::State& state) {
    panel();
    i18n::LanguageId id = i18n::kEnglish;
    for (auto _ : state) {
        id = id == i18n::kEnglish ? i18n::kGerman : i18n::kEnglish;
        i18n::SetLanguage(id);
    }
}
BENCHMARK(BM_SetLanguage)->Unit(benchmark::kMillisecond);

void BM_SplitTextInTwo(benchmark::State& state) {
    const std::string source =
        "0F01 INCOMING MOISTURE SENSOR FAILURE - READING OUT OF RANGE, CHECK THE CABLE";
    std::string first, second;
    for (auto _ : state) {
        std::string text = source;
        i18n::SplitTextInTwo(text, first, second, 99);
        benchmark::DoNotOptimize(second.data());
    }
}
BENCHMARK(BM_SplitTextInTwo);

}  // namespace
