#include "i18n/button_bitmaps.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "i18n/language.h"
#include "i18n/resources.h"
#include "platform/files/files.h"
#include "platform/gfx/bmp.h"
#include "support/temp_dir.h"

namespace i18n {
namespace {

using platform::gfx::rgb;
using platform::gfx::Surface;

class ButtonBitmaps : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::configureDevicePaths(root.str(), "");
        ResetLocalization();
    }
    void TearDown() override { ResetLocalization(); }
    void putBitmap(const std::string& code, int number, const Surface& picture) {
        const auto folder = root.path() / "Hard Disk" / "Languages" / code / "Bitmaps";
        std::filesystem::create_directories(folder);
        ASSERT_TRUE(platform::gfx::writeBmp(
            picture, (folder / std::string(ButtonBitmapNames[number])).string()));
    }
    testsupport::TempDir root;
};

TEST_F(ButtonBitmaps, LoadFromTheCurrentLanguageWithoutFallback) {
    const Surface english(200, 50, rgb(0, 0, 200));
    const Surface spanish(200, 50, rgb(200, 0, 0));
    putBitmap("EN", 43, english);
    putBitmap("EN", 41, Surface(159, 41, rgb(0, 200, 0)));
    putBitmap("ES", 43, spanish);
    root.write("Hard Disk/Languages/ES/Bitmaps/" + std::string(ButtonBitmapNames[44]), "BMx junk");

    HeldButtonBitmap graph(43);
    HeldButtonBitmap exit(41);
    HeldButtonBitmap none(0);
    ASSERT_TRUE(graph.get());
    EXPECT_EQ(*graph.get(), english);
    ASSERT_TRUE(exit.get());
    EXPECT_FALSE(none.get());
    {
        HeldButtonBitmap gone(43);  // released before the reload below
    }

    SetLanguage(kSpanish);
    ReloadButtonBitmaps();
    ASSERT_TRUE(graph.get());
    EXPECT_EQ(*graph.get(), spanish);
    EXPECT_FALSE(exit.get()) << "a bitmap missing in Spanish is not taken from English";
    EXPECT_EQ(exit.number(), 41);
    EXPECT_FALSE(LoadButtonBitmap(44)) << "a damaged file gives no picture";
    EXPECT_FALSE(LoadButtonBitmap(78));

    SetLanguage(kEnglish);
    ReloadButtonBitmaps();
    ASSERT_TRUE(exit.get());
    EXPECT_EQ(exit.get()->width(), 159);
}

}  // namespace
}  // namespace i18n
