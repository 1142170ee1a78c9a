#include "i18n/button_bitmaps.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "i18n/resources.h"
#include "platform/files/files.h"
#include "platform/gfx/bmp.h"

namespace i18n {
namespace {

struct HeldRegistry {
    std::mutex mutex;
    std::vector<HeldButtonBitmap*> held;
};

HeldRegistry& registry() {
    static HeldRegistry r;
    return r;
}

}  // namespace

ButtonBitmap LoadBitmapFile(std::string_view devicePath) {
    const std::string host = platform::hostPath(devicePath);
    if (host.empty()) return nullptr;
    auto surface = platform::gfx::loadBmp(host);
    if (!surface) return nullptr;
    return std::make_shared<const platform::gfx::Surface>(std::move(*surface));
}

ButtonBitmap LoadButtonBitmap(int number) {
    const std::string path = ButtonBitmapPath(number);
    return path.empty() ? nullptr : LoadBitmapFile(path);
}

HeldButtonBitmap::HeldButtonBitmap() {
    std::lock_guard lock(registry().mutex);
    registry().held.push_back(this);
}

HeldButtonBitmap::HeldButtonBitmap(int number) : HeldButtonBitmap() {
    load(number);
}

HeldButtonBitmap::~HeldButtonBitmap() {
    std::lock_guard lock(registry().mutex);
    auto& held = registry().held;
    held.erase(std::remove(held.begin(), held.end(), this), held.end());
}

void HeldButtonBitmap::load(int number) {
    bitmap_.reset();
    number_ = number;
    loaded_ = false;
}

const platform::gfx::Surface* HeldButtonBitmap::get() const {
    if (!loaded_) {
        bitmap_ = LoadButtonBitmap(number_);
        loaded_ = true;
    }
    return bitmap_.get();
}

void ReloadButtonBitmaps() {
    std::lock_guard lock(registry().mutex);
    for (HeldButtonBitmap* bitmap : registry().held)
        bitmap->load(bitmap->number());
}

}  // namespace i18n
