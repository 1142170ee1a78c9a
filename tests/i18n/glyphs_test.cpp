// Every letter of the panel's languages, loaded from a strings file as the display loads it and
// drawn with the panel's font, has a glyph of its own: none comes out as the box the font draws
// for a character it lacks.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "i18n/i18n_files.h"
#include "i18n/language.h"
#include "platform/files/files.h"
#include "platform/gfx/font.h"
#include "platform/gfx/painter.h"
#include "platform/gfx/surface.h"
#include "support/temp_dir.h"

namespace i18n {
namespace {

namespace gfx = platform::gfx;

// One character alone, black on white, as a screen would draw it.
gfx::Surface drawn(char32_t c, int weight) {
    gfx::Surface surface(48, 48, gfx::colors::kWhite);
    gfx::Painter painter(surface);
    std::u32string one(1, c);
    painter.drawText(toUtf8(std::u16string(one.begin(), one.end())), surface.bounds(),
                     gfx::font(28, weight), {gfx::colors::kBlack, gfx::kSingleLine});
    return surface;
}

bool hasInk(const gfx::Surface& s) {
    for (uint32_t p : s.pixels())
        if (p != s.pixels()[0]) return true;
    return false;
}

class Glyphs : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gfx::fontsAvailable());
        platform::configureDevicePaths(root.str(), "");
        ResetLocalization();
    }
    void TearDown() override { ResetLocalization(); }

    // Writes the language's strings file with `letters` as string 1 and reads it back.
    std::string loaded(LanguageId id, const std::string& letters) {
        const std::string_view relative = languageInfo(id).stringsFile;
        std::string path = "Hard Disk/" + std::string(relative);
        for (char& c : path)
            if (c == '\\') c = '/';
        root.write(path, i18ntest::lineFile({letters}));
        SetLanguage(id);
        return GetString(1);
    }

    void expectEveryLetterDrawn(LanguageId id, const std::string& letters) {
        const std::string text = loaded(id, letters);
        ASSERT_EQ(text, letters) << languageInfo(id).name;
        for (int weight : {400, 700}) {
            // A character the font lacks: its box is what a missing letter would look like.
            const gfx::Surface missing = drawn(U'\u4E2D', weight);
            ASSERT_EQ(missing, drawn(U'\u4E2E', weight)) << "the reference is not the font's box";
            for (char32_t c : gfx::decodeUtf8(text)) {
                const gfx::Surface letter = drawn(c, weight);
                EXPECT_TRUE(hasInk(letter))
                    << languageInfo(id).name << " U+" << std::hex << static_cast<uint32_t>(c);
                EXPECT_NE(letter, missing)
                    << languageInfo(id).name << " U+" << std::hex << static_cast<uint32_t>(c)
                    << " weight " << std::dec << weight;
            }
        }
    }

    testsupport::TempDir root;
};

TEST_F(Glyphs, RussianAndBulgarianCyrillic) {
    expectEveryLetterDrawn(kRussian,
                           "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"
                           "абвгдеёжзийклмнопрстуфхцчшщъыьэюя");
    expectEveryLetterDrawn(kBulgarian, "ЍѝЪъЬьЮюЯя");
}

TEST_F(Glyphs, HungarianWithItsDoubleAcutes) {
    expectEveryLetterDrawn(kHungarian,
                           "AÁBCDEÉFGHIÍJKLMNOÓÖŐPQRSTUÚÜŰVWXYZ"
                           "aábcdeéfghiíjklmnoóöőpqrstuúüűvwxyz");
}

TEST_F(Glyphs, DiacriticsOfTheOtherLatinLanguages) {
    expectEveryLetterDrawn(kCzech, "ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽáčďéěíňóřšťúůýž");
    expectEveryLetterDrawn(kPolish, "ĄĆĘŁŃÓŚŹŻąćęłńóśźż");
    expectEveryLetterDrawn(kRomanian, "ĂÂÎȘȚăâîșț");
    expectEveryLetterDrawn(kDanish, "ÆØÅæøå");
    expectEveryLetterDrawn(kFrench, "ÀÂÇÈÉÊËÎÏÔŒÙÛÜŸàâçèéêëîïôœùûüÿ«»");
    expectEveryLetterDrawn(kPortuguese, "ÃÕÁÉÍÓÚÂÊÔÀÇãõáéíóúâêôàç");
    expectEveryLetterDrawn(kSpanish, "ÑÁÉÍÓÚÜñáéíóúü¿¡");
    expectEveryLetterDrawn(kDutch, "ĲĳËëÏï");
}

}  // namespace
}  // namespace i18n
