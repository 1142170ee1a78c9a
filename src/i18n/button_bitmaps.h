#pragma once
// The pictures of the picture buttons, loaded from the current language's Bitmaps folder.
// Screens hold their bitmaps in HeldButtonBitmap so that a change of language can load them
// all again (ReloadButtonBitmaps). User-interface thread only.

#include <memory>
#include <string_view>

#include "platform/gfx/surface.h"

namespace i18n {

using ButtonBitmap = std::shared_ptr<const platform::gfx::Surface>;

// A BMP file by its device path; null when it cannot be loaded.
ButtonBitmap LoadBitmapFile(std::string_view devicePath);

// Bitmap `number` (1 to 77) of the current language; null for 0, a number outside the table or
// a file that does not load. A bitmap missing in the current language is not taken from
// English: the button then shows no picture.
ButtonBitmap LoadButtonBitmap(int number);

// A button bitmap that a screen holds for as long as it lives.
class HeldButtonBitmap {
  public:
    HeldButtonBitmap();
    explicit HeldButtonBitmap(int number);
    ~HeldButtonBitmap();
    HeldButtonBitmap(const HeldButtonBitmap&) = delete;
    HeldButtonBitmap& operator=(const HeldButtonBitmap&) = delete;

    // Drops the held picture and takes bitmap `number` in the current language (0: none).
    void load(int number);
    int number() const { return number_; }
    // Null while the bitmap could not be loaded. The file is read at the first call: screens
    // are all made at start, most of them hidden, and their pictures wait for their first paint.
    const platform::gfx::Surface* get() const;

  private:
    int number_ = 0;
    mutable bool loaded_ = false;
    mutable ButtonBitmap bitmap_;
};

// Loads every held bitmap again, in the language now current.
void ReloadButtonBitmaps();

}  // namespace i18n
