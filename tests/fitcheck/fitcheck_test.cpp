// The fit and legibility check on hand-made dumps: one with a fault of each kind, one clean.
#include "fitcheck.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string readSource(const std::string& name) {
    const char* root = std::getenv("ORVANE_SOURCE_DIR");
    std::ifstream in(std::string(root ? root : ".") + "/tests/fitcheck/" + name, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::vector<std::string> checkFile(const std::string& name) {
    std::vector<std::string> errors;
    const auto texts = fitcheck::parseExtents(readSource(name), errors);
    EXPECT_TRUE(errors.empty()) << errors.front();
    EXPECT_FALSE(texts.empty()) << name;
    return fitcheck::check(texts);
}

TEST(FitCheck, ReportsOneOverflowOverlapLowContrastAndTinyTextEach) {
    const auto found = checkFile("faulty.tsv");
    ASSERT_EQ(found.size(), 4u) << ::testing::PrintToString(found);
    EXPECT_EQ(found[0],
              "overflow DRYER_PIC_WINDOW \"SENSOR TROCKENGUT (AUSLASS)\": glyphs 7,8 104x14 "
              "leave the rectangle 5,5 100x20 (right 6 px)");
    EXPECT_EQ(found[1],
              "overlap DRYER_PIC_WINDOW \"ABKÜHLEN:\" 7,33 90x14 and \"12:00\" 62,44 60x14");
    EXPECT_EQ(found[2],
              "contrast DRYER_PIC_WINDOW \"DRYER RUNNING\": #0000FF on #000000 2.44:1 (at least "
              "4.5:1)");
    EXPECT_EQ(found[3], "tiny DRYER_PIC_WINDOW \"[- 0 °F]\": 9 px, at least 11");
}

// Clean: lines of one wrapped text touching, large text at 3:1, a disabled control's engraved
// label, a disabled control's grey text, a blank text, 11 px text and glyphs ending on the
// rectangle's edge, a word centred on a point.
TEST(FitCheck, PassesACleanScreen) {
    EXPECT_EQ(checkFile("clean.tsv"), std::vector<std::string>{});
}

TEST(FitCheck, KnowsTheScreenEdgeContrastFiguresAndBadLines) {
    std::vector<std::string> errors;
    auto texts = fitcheck::parseExtents(
        "GRAPH_WINDOW\t600\t460\t80\t30\t602\t466\t60\t14\t#FFFFFF\t#000000\t16\tSCROLL\r\n"
        "GRAPH_WINDOW\t1\t2\t3\n",
        errors);
    ASSERT_EQ(texts.size(), 1u);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind("line 2: ", 0), 0u) << errors[0];
    EXPECT_EQ(fitcheck::check(texts),
              std::vector<std::string>{
                  "overflow GRAPH_WINDOW \"SCROLL\": glyphs 602,466 60x14 leave the screen"});

    EXPECT_NEAR(fitcheck::contrastRatio({0, 0, 0}, {255, 255, 255}), 21.0, 1e-9);
    EXPECT_NEAR(fitcheck::contrastRatio({0, 0, 255}, {0, 0, 0}), 2.44, 0.01);
    EXPECT_GE(fitcheck::contrastRatio({0x5A, 0x8C, 0xFF}, {0, 0, 0}), 4.5);
    // 3.8:1 passes at 18 px and fails at 17.
    texts[0] = {"X", {0, 0, 100, 30}, {1, 1, 50, 20}, {0x70, 0x70, 0x70}, {0x10, 0x10, 0x10}, 18,
                "A"};
    EXPECT_TRUE(fitcheck::check(texts).empty());
    texts[0].fontHeight = 17;
    EXPECT_EQ(fitcheck::check(texts).size(), 1u);
}

}  // namespace
