// Arbitrary bytes as the registry's store file: reads and writes must never crash or trust a
// damaged store.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/registry/registry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string store =
        "/tmp/orvane-registry-fuzz-" + std::to_string(::getpid()) + ".dat";
    if (FILE* f = std::fopen(store.c_str(), "wb")) {
        if (size > 0) std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    platform::registryOpen(store);
    std::vector<uint8_t> value;
    platform::registryRead("Software\\Tavren\\OrvaneDryer", "GRAPH_TRACES_ON_OFF", value);
    const uint8_t one = 1;
    platform::registryWrite("Software\\Tavren\\OrvaneDryer", "SCREEN_VIEW_SELECTION", {&one, 1});
    platform::registryRead("Software\\Tavren\\OrvaneDryer", "SCREEN_VIEW_SELECTION", value);
    std::remove(store.c_str());
    return 0;
}
