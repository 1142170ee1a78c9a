#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gfx/painter.h"
#include "platform/gfx/text.h"

namespace platform::gfx {
namespace {

constexpr Color kGreen = rgb(0, 255, 0);

int countNonBlack(const Surface& s, const Rect& area) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x)
            n += s.colorAt(x, y) != colors::kBlack;
    }
    return n;
}

TEST(TextTest, FontsMapToDejaVuWithHeightAndBoldFromWeight600) {
    ASSERT_TRUE(fontsAvailable());
    EXPECT_EQ(fontMetrics(font(14)).height, 14);
    EXPECT_EQ(fontMetrics(font(80, 700)).height, 80);
    const int regular = textExtent("SETPOINT", font(20, 599)).width;
    const int bold = textExtent("SETPOINT", font(20, 600)).width;
    EXPECT_GT(bold, regular);
    EXPECT_EQ(textExtent("SETPOINT", FontSpec{"Tahoma", 20, 400}).width,
              textExtent("SETPOINT", FontSpec{"System", 20, 400}).width);
    EXPECT_GT(textExtent("WW", font(40)).width, 2 * textExtent("W", font(20)).width);
    EXPECT_EQ(textExtent("", font(14)).width, 0);
    EXPECT_GT(glyph(font(20), U'\u00B0')->width, 0);  // degree sign
}

TEST(TextTest, WordBreakIntoOnePixelRectanglePutsEachWordOnItsOwnCentredLine) {
    const auto lines = layoutText("HIGH FIRE  ON", {75, 80, 76, 140}, font(20, 600),
                                  kAlignCenter | kWordBreak | kNoClip);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, "HIGH");
    EXPECT_EQ(lines[1].text, "FIRE");
    EXPECT_EQ(lines[2].text, "ON");
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].box.top, 80 + 20 * static_cast<int>(i));
        EXPECT_LE(std::abs((lines[i].box.left + lines[i].box.right) - 2 * 75), 2);
    }

    // Words that fit share a line; line feeds break unless single-line.
    const auto wide = layoutText("A B C\nD", {0, 0, 500, 100}, font(14), kWordBreak);
    ASSERT_EQ(wide.size(), 2u);
    EXPECT_EQ(wide[0].text, "A B C");
    EXPECT_EQ(layoutText("A\r\nB", {0, 0, 500, 100}, font(14), kSingleLine).size(), 1u);
    const auto narrow = layoutText("one two three", {0, 0, 80, 100}, font(14), kWordBreak);
    for (const auto& l : narrow)
        EXPECT_LE(l.box.width(), 80) << l.text;

    // A run of tabs that would pass the edge breaks the line like spaces, and the word after it
    // starts the next line instead of being pushed out of sight.
    const auto tabbed =
        layoutText("one two\t\t\t\t\t\t\t\t\t\t\tthree", {0, 0, 200, 100}, font(14), kWordBreak);
    ASSERT_EQ(tabbed.size(), 2u);
    EXPECT_EQ(tabbed[0].text, "one two");
    EXPECT_EQ(tabbed[1].text, "three");
}

// A line whose cells fit can still ink a pixel past them (the bearing of its first or last
// glyph); wrapped lines are broken so that their ink stays inside the rectangle too.
TEST(TextTest, WrappedLinesKeepTheirInkInsideTheRectangle) {
    const std::string text =
        "Controleer in het eerste uur de plenumtemperaturen (graden F) en het vocht; "
        "Tijd, jaar, fijn, Wyk, \"Ty\" en /j/ schuiven.";
    for (const FontSpec& f : {font(13), font(14, 700)}) {
        for (int width = 60; width <= 440; ++width) {
            const Rect r{100, 0, 100 + width, 400};
            for (const auto& line : layoutText(text, r, f, kWordBreak)) {
                if (line.text.find(' ') == std::string::npos) continue;  // a lone word may not fit
                const Rect ink = glyphBox(line, f);
                EXPECT_GE(ink.left, r.left) << width << " " << line.text;
                EXPECT_LE(ink.right, r.right) << width << " " << line.text;
            }
        }
    }
}

TEST(TextTest, AlignmentPlacesLinesInTheRectangle) {
    const Rect r{10, 10, 210, 60};
    const FontSpec f = font(16);
    const int w = textExtent("25 %", f).width;
    EXPECT_EQ(layoutText("25 %", r, f, kAlignLeft)[0].box, (Rect{10, 10, 10 + w, 26}));
    EXPECT_EQ(layoutText("25 %", r, f, kAlignRight)[0].box, (Rect{210 - w, 10, 210, 26}));
    EXPECT_EQ(layoutText("25 %", r, f, kAlignCenter | kAlignVCenter | kSingleLine)[0].box,
              (Rect{10 + (200 - w) / 2, 27, 10 + (200 - w) / 2 + w, 43}));
    // Tabs stop at multiples of eight average widths.
    const int tab = 8 * fontMetrics(f).averageWidth;
    EXPECT_EQ(textExtent("\t", f).width, tab);
    EXPECT_EQ(textExtent("a\tb", f).width, tab + textExtent("b", f).width);
}

TEST(TextTest, DrawTextColoursGlyphsClipsAndReportsToTheObserver) {
    Surface s(200, 60);
    Painter p(s);
    std::vector<DrawnText> seen;
    const TextObserver observer = [&](const DrawnText& t) { seen.push_back(t); };
    setTextObserver(&observer);
    p.drawText("MOIST", {0, 0, 200, 30}, font(24, 700), {kGreen});
    setTextObserver(nullptr);
    p.drawText("unseen", {0, 30, 200, 60}, font(12), {kGreen});

    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "MOIST");
    EXPECT_EQ(seen[0].color, kGreen);
    EXPECT_EQ(seen[0].rect, (Rect{0, 0, 200, 30}));
    EXPECT_GT(countNonBlack(s, {0, 0, 200, 30}), 50);
    int solid = 0;
    for (int x = 0; x < 200; ++x)
        solid += s.colorAt(x, 15) == kGreen;
    EXPECT_GT(solid, 5);

    // Clipped to its rectangle unless told not to.
    Surface c(100, 40);
    Painter cp(c);
    cp.drawText("WWWW", {0, 0, 10, 40}, font(30), {kGreen});
    EXPECT_EQ(countNonBlack(c, {10, 0, 100, 40}), 0);
    EXPECT_GT(countNonBlack(c, {0, 0, 10, 40}), 0);
    cp.drawText("WWWW", {0, 0, 10, 40}, font(30), {kGreen, kNoClip});
    EXPECT_GT(countNonBlack(c, {10, 0, 100, 40}), 0);

    // An opaque background fills the line's cells.
    Surface o(100, 40);
    Painter op(o);
    op.drawText("i", {0, 0, 100, 40}, font(20), {kGreen, kAlignLeft, colors::kWhite});
    const Rect box = layoutText("i", {0, 0, 100, 40}, font(20), 0)[0].box;
    EXPECT_EQ(o.colorAt(box.right - 1, box.bottom - 1), colors::kWhite);
    EXPECT_EQ(o.colorAt(box.right + 1, 5), colors::kBlack);
}

TEST(TextTest, MalformedUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(decodeUtf8("a\xC3\xA9\xE2\x82"),
              (std::u32string{U'a', U'\u00E9', U'\uFFFD', U'\uFFFD'}));
    EXPECT_EQ(encodeUtf8(U"\u00B0F"),
              "\xC2\xB0"
              "F");
    EXPECT_EQ(decodeUtf8("\xF0\x9F\x98\x80"), std::u32string(1, U'\U0001F600'));
}

TEST(TextTest, BoundsCoverEveryLaidOutLine) {
    const FontSpec f = font(13);
    const Rect bounds = textBounds("Delete data log file?\nYes", {0, 0, 400, 100}, f, kWordBreak);
    EXPECT_EQ(bounds.left, 0);
    EXPECT_EQ(bounds.top, 0);
    EXPECT_EQ(bounds.bottom, 26);
    EXPECT_EQ(bounds.right, textExtent("Delete data log file?", f).width);
    // An empty line still takes its height.
    EXPECT_EQ(textBounds("a\n\nb", {0, 0, 100, 100}, f, 0).bottom, 39);
    EXPECT_TRUE(textBounds("", {0, 0, 100, 100}, f, kSingleLine).width() <= 1);
}

// A long translation gets the largest size that still fits, never one below the smallest asked
// for; a font already below it is left alone.
TEST(TextTest, FontsShrinkUntilTheTextFitsButNoFurtherThanTheSmallest) {
    const std::string text = "FEUCHTIGKEITSREGELUNG";
    const int width = textExtent(text, font(20, 700)).width;
    const FontSpec fitted = fitFont(text, font(30, 700), width, 8);
    EXPECT_LE(textExtent(text, fitted).width, width);
    EXPECT_GT(textExtent(text, font(fitted.height + 1, 700)).width, width);
    EXPECT_EQ(fitted, (FontSpec{"Tahoma", fitted.height, 700}));
    EXPECT_EQ(fitFont(text, font(14), width, 8), font(14)) << "fits as it is";
    EXPECT_EQ(fitFont(text, font(30, 700), 1, 12), font(12, 700));
    EXPECT_EQ(fitFont(text, font(6), 1, 8), font(6));
    EXPECT_EQ(fitFont(text, font(30), 1, 19, 2), font(18)) << "even sizes only, from 30";

    std::vector<int> tried;
    const FontSpec shrunk = shrinkFont(font(20, 600), 8, [&](const FontSpec& f) {
        tried.push_back(f.height);
        return f.height <= 17;
    });
    EXPECT_EQ(shrunk, font(17, 600));
    EXPECT_EQ(tried, (std::vector<int>{20, 19, 18, 17}));
}

// A bearing that would put ink a pixel outside the rectangle (the bar of "T", the dots of a
// capital "Ä") moves the line in; ink wider than the rectangle stays where its cells put it.
TEST(TextLayout, InkThatFitsIsKeptInsideItsRectangle) {
    const FontSpec f = font(16, 700);
    for (unsigned flags : {unsigned{kAlignLeft}, unsigned{kAlignRight}, unsigned{kAlignCenter}}) {
        for (const char* text : {"TJY", "ÄÖÜ", "yjg"}) {
            const Rect rect{10, 10, 14 + textExtent(text, f).width, 26};
            const auto lines = layoutText(text, rect, f, flags);
            ASSERT_EQ(lines.size(), 1u);
            const Rect ink = glyphBox(lines[0], f);
            EXPECT_EQ(ink.intersect(rect), ink) << text << " flags " << flags;
        }
    }
    const Rect narrow{10, 10, 20, 26};
    const auto wide = layoutText("WIDE", narrow, f, kAlignLeft);
    EXPECT_EQ(wide[0].box.left, narrow.left);
}

}  // namespace
}  // namespace platform::gfx
