// The shutdown history volume as found on the flash disk, mounted from memory: any bytes must
// mount as a volume, be reported damaged, or fail cleanly, and every read of the history
// database must then work or fail without harm. Nothing goes to a file.
#include <cstdint>
#include <cstdlib>

#include "platform/store/store.h"
#include "screens/warnings/shutdown_history.h"

// SQLite, a library built without the sanitizer, makes some eight hundred allocations for each
// image it mounts. With ASan's default quarantine of 256 MB every one of them came from memory
// last touched hundreds of inputs before, and those cache misses were most of the target's time.
// 4 MB still holds the frees of several whole inputs (under half a megabyte each), so a use after
// free within an input, or in the next, is still reported; frees reach it from each thread's
// cache in batches of 64 KB rather than 1 MB. ASAN_OPTIONS overrides both.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=4:thread_local_quarantine_size_kb=64";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::Volume volume;
    if (volume.mountImage({data, size}) != platform::kStoreOk) return 0;
    platform::DatabaseId id = 0;
    if (volume.findDatabase(warnings::kHistoryDatabase, id) != platform::kStoreOk) return 0;
    uint32_t count = 0;
    const bool counted = volume.recordCount(id, count) == platform::kStoreOk;
    bool allCounted = true;
    for (size_t order = 0; order < 4; ++order) {
        uint32_t seen = 0;
        const long e = volume.readRecords(id, order, [&](const platform::Record&) { ++seen; });
        if (e == platform::kStoreOk && counted && order < 3 && seen != count) allCounted = false;
    }
    // A damaged index can read short without an error from SQLite; the history checks its
    // volume when it opens it and sets a damaged one aside, so only a sound one must agree.
    if (volume.check() == platform::kStoreOk && !allCounted) std::abort();
    return 0;
}
