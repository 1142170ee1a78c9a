// The operator's guide format: pages, headings, paragraphs and gaps, and every input that is
// not a guide refused whole.
#include "i18n/manual.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::optional<i18n::Manual> parse(std::string_view text) {
    return i18n::parseManual(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

TEST(Manual, PagesHeadingsParagraphsAndGaps) {
    const auto manual = parse(
        "\xEF\xBB\xBF# a note for the writer\r\n\r\n"
        "First\r\nOne paragraph.\r\n\r\nAfter a gap.\r\n\r\n---\r\n\n  "
        "\nSecond\n\tTabbed\n---\n---\n");
    ASSERT_TRUE(manual);
    ASSERT_EQ(manual->pages.size(), 2u) << "an empty page between two breaks is no page";
    EXPECT_EQ(manual->pages[0].heading, "First");
    EXPECT_EQ(manual->pages[0].paragraphs,
              (std::vector<std::string>{"One paragraph.", "", "After a gap."}))
        << "the gap at the page's end is dropped";
    EXPECT_EQ(manual->pages[1].heading, "Second");
    EXPECT_EQ(manual->pages[1].paragraphs, (std::vector<std::string>{"\tTabbed"}));
    const auto last = parse("Only\nno final line end");
    ASSERT_TRUE(last);
    EXPECT_EQ(last->pages[0].paragraphs.back(), "no final line end");
}

TEST(Manual, WhatIsNoGuideIsRefusedWhole) {
    EXPECT_FALSE(parse("")) << "no page";
    EXPECT_FALSE(parse("# only notes\n\n---\n \n"));
    EXPECT_FALSE(parse("Page\nbad \xC3( byte\n")) << "broken sequence";
    EXPECT_FALSE(parse("Page\n\xC0\xAF\n")) << "overlong";
    EXPECT_FALSE(parse("Page\n\xED\xA0\x80\n")) << "surrogate";
    EXPECT_FALSE(parse("Page\n\xF4\x90\x80\x80\n")) << "above U+10FFFF";
    EXPECT_FALSE(parse("Page\nends in a cut \xE2\x82")) << "sequence cut at the end";
    EXPECT_FALSE(parse(std::string("Page\nnul\0byte\n", 14))) << "control character";
    EXPECT_FALSE(parse("Page\nescape \x1B[2J\n"));
    EXPECT_FALSE(parse("Page\n" + std::string(i18n::kManualLineBytes + 1, 'x')));
    EXPECT_TRUE(parse("Page\n" + std::string(i18n::kManualLineBytes, 'x')));
    std::string pages;
    for (size_t i = 0; i < i18n::kManualPages; ++i)
        pages += "P\n---\n";
    EXPECT_TRUE(parse(pages));
    EXPECT_FALSE(parse(pages + "One too many\n"));
    std::string big(i18n::kManualBytes + 1, 'x');
    big.replace(0, 2, "P\n");
    for (size_t i = 500; i < big.size(); i += 500)
        big[i] = '\n';
    EXPECT_FALSE(parse(big)) << "larger than the display reads";
    EXPECT_TRUE(parse(big.substr(0, i18n::kManualBytes)));
}

}  // namespace
