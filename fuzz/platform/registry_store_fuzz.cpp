// Arbitrary bytes as the registry's store file, parsed in memory: a damaged store never yields
// values, and whatever parses is written back and read again unchanged, with a new value added.
#include <cstdint>
#include <cstdlib>

#include "platform/registry/registry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::RegistryValues values = platform::parseRegistryStore({data, size});
    if (platform::parseRegistryStore(platform::serializeRegistryStore(values)) != values)
        std::abort();
    values[{"software\\tavren\\orvanedryer", "screen_view_selection"}] = {1};
    const platform::RegistryValues again =
        platform::parseRegistryStore(platform::serializeRegistryStore(values));
    if (again != values) std::abort();
    return 0;
}
