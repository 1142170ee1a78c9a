#include "screens/setpoints/word_wrap.h"

#include <gtest/gtest.h>

namespace setpoints {
namespace {

using Lines = std::vector<std::string>;

TEST(WordWrap, BreaksAtTheLastSpaceThatFits) {
    EXPECT_EQ(wrapWords("FAN DELAY: pause between the start of one fan and the next.", 40, 4),
              (Lines{"FAN DELAY: pause between the start of", "one fan and the next."}));
    // A space just after a full line is a break; runs of spaces vanish at a break.
    EXPECT_EQ(wrapWords("abcd efgh", 4, 4), (Lines{"abcd", "efgh"}));
    EXPECT_EQ(wrapWords("ab   cd  ", 3, 4), (Lines{"ab", "cd"}));
    EXPECT_EQ(wrapWords("  lead", 10, 4), (Lines{"lead"}));
    EXPECT_EQ(wrapWords("one two three four", 4, 2), (Lines{"one", "two"}));
    EXPECT_EQ(wrapWords("", 40, 4), Lines{});
    EXPECT_EQ(wrapWords("text", 0, 4), Lines{});
}

TEST(WordWrap, WordLongerThanALineIsBrokenHard) {
    EXPECT_EQ(wrapWords("ABCDEFGHIJ KL", 4, 10), (Lines{"ABCD", "EFGH", "IJ", "KL"}));
    const std::string endless(500, 'X');
    const Lines lines = wrapWords(endless, 40, 100);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines.back(), std::string(20, 'X'));
}

TEST(WordWrap, CountsCharactersNotBytes) {
    // 40 characters, 44 bytes: one line.
    const std::string forty = "GEBLÄSEVERZÖGERUNG: Pause zwischen dem St";
    EXPECT_EQ(wrapWords(forty + "art", 40, 4).front(), "GEBLÄSEVERZÖGERUNG: Pause zwischen dem");
    EXPECT_EQ(wrapWords("ÄÖÜäöü", 4, 4), (Lines{"ÄÖÜä", "öü"}));
}

}  // namespace
}  // namespace setpoints
