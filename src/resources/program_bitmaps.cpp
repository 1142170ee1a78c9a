#include "resources/program_bitmaps.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <mutex>

#include "platform/files/files.h"
#include "platform/gfx/bmp.h"

namespace resources {
namespace {

constexpr ProgramBitmapSpec kBitmaps[] = {
    // EXIT_BOOTLOADER_BUTTON, released and pressed
    {136, 159, 41},
    {137, 159, 41},
    // EXIT_TO_DRYER, released and pressed; the locked-out MISC face
    {210, 186, 100},
    {211, 186, 100},
    {kMiscLockedBitmap, 105, 40},
    // warning window: link lost (display, controller), shutdown sign
    {259, 75, 56},
    {260, 75, 93},
    // large fan/heater: off, fan on, burner firing, heater on
    {292, 83, 85},
    {293, 83, 85},
    {294, 83, 85},
    {295, 83, 85},
    {296, 83, 85},
    {297, 83, 85},
    {301, 83, 85},
    {302, 83, 85},
    {303, 83, 85},
    {304, 83, 85},
    {305, 83, 85},
    {306, 83, 85},
    // single-module load/unload and metering-roll motors
    {310, 29, 29},
    {311, 29, 29},
    {316, 29, 29},
    {317, 17, 17},
    {318, 17, 17},
    {319, 17, 17},
    // dryer pictures: three-module and two-module tower
    {323, 86, 420},
    {324, 122, 420},
    // small fan/heater: off, fan on, heater on, burner firing
    {325, 44, 45},
    {326, 44, 45},
    {327, 44, 45},
    {328, 44, 45},
    {329, 44, 45},
    {330, 44, 45},
    {331, 44, 45},
    {332, 44, 45},
    {333, 44, 45},
    {334, 44, 45},
    {335, 44, 45},
    {336, 44, 45},
    // medium fan/heater: off, fan on, burner firing, heater on
    {341, 56, 57},
    {342, 56, 57},
    {343, 56, 57},
    {344, 56, 57},
    {345, 56, 57},
    {346, 56, 57},
    {347, 56, 57},
    {348, 56, 57},
    {349, 56, 57},
    {350, 56, 57},
    {351, 56, 57},
    {352, 56, 57},
    // tower motors: small load/unload, small metering roll, medium load/unload, medium roll
    {354, 15, 15},
    {355, 15, 15},
    {356, 15, 15},
    {357, 9, 9},
    {358, 9, 9},
    {359, 9, 9},
    {360, 19, 19},
    {361, 19, 19},
    {362, 19, 19},
    {363, 12, 12},
    {364, 12, 12},
    {365, 12, 12},
    // single-module dryer picture, bin dryer picture
    {367, 180, 315},
    {406, 150, 360},
    // bin: burner flame, fan, fill spout, third motor, lamps, unload auger
    {408, 42, 42},
    {409, 42, 42},
    {410, 42, 42},
    {418, 46, 28},
    {419, 46, 28},
    {420, 46, 28},
    {422, 43, 40},
    {423, 43, 40},
    {424, 43, 40},
    {425, 38, 18},
    {426, 38, 18},
    {427, 38, 18},
    {428, 7, 9},
    {429, 7, 9},
    {430, 71, 16},
    {431, 71, 16},
    {432, 71, 16},
    {433, 11, 9},
    {434, 11, 9},
    // remote messaging, shutdown sign, QS
    {462, 25, 25},
    {517, 50, 46},
    {595, 44, 40},
};

static_assert(std::ranges::is_sorted(kBitmaps, {}, &ProgramBitmapSpec::number));

struct Loaded {
    std::string root;  // the panel root it was read under
    ProgramBitmap bitmap;
};

struct Cache {
    std::mutex mutex;
    std::map<int, Loaded> loaded;
};

Cache& cache() {
    static Cache c;
    return c;
}

}  // namespace

std::span<const ProgramBitmapSpec> programBitmapTable() {
    return kBitmaps;
}

const ProgramBitmapSpec* programBitmapSpec(int number) {
    const auto it = std::ranges::lower_bound(kBitmaps, number, {}, &ProgramBitmapSpec::number);
    return it != std::end(kBitmaps) && it->number == number ? &*it : nullptr;
}

std::string ProgramBitmapPath(int number) {
    if (programBitmapSpec(number) == nullptr) return {};
    char path[64];
    std::snprintf(path, sizeof path, "\\Hard Disk\\Program\\Bitmaps\\BITMAP_%03d.BMP", number);
    return path;
}

ProgramBitmap LoadProgramBitmap(int number) {
    const std::string device = ProgramBitmapPath(number);
    if (device.empty()) return nullptr;
    // Keyed by the panel root as well, so a new panel root (tests) reads its own files. A
    // bitmap read once is not looked for on the disk again: screens ask on every paint.
    const std::string root = platform::panelRootDir();
    std::lock_guard lock(cache().mutex);
    Loaded& entry = cache().loaded[number];
    if (entry.bitmap && entry.root == root) return entry.bitmap;
    auto surface = platform::gfx::loadBmp(platform::hostPath(device));
    entry.root = root;
    entry.bitmap =
        surface ? std::make_shared<const platform::gfx::Surface>(std::move(*surface)) : nullptr;
    return entry.bitmap;
}

}  // namespace resources
