#pragma once
// The panel's registry: small binary values by key path and value name, kept in one file under
// the panel root. Key paths and names match case-insensitively. Every write replaces the store
// atomically, so a crash leaves either the old or the new store; a missing or damaged store reads
// as "no values".

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Chooses the store's file (normally "<panel root>/Registry.dat"). Until it is called every read
// finds nothing and every write fails.
void registryOpen(const std::string& hostFile);

// True and the value's bytes when the value exists.
bool registryRead(std::string_view keyPath, std::string_view name, std::vector<uint8_t>& out);

// Creates the key if needed and writes the value; false when the store cannot be written.
bool registryWrite(std::string_view keyPath, std::string_view name, std::span<const uint8_t> bytes);

bool registryDelete(std::string_view keyPath, std::string_view name);

// The store file's contents by (key path, value name), both folded to lower case. Parsing takes
// bytes in memory (checks, fuzzing): a store that does not parse whole, checksum included, holds
// no values.
using RegistryValues = std::map<std::pair<std::string, std::string>, std::vector<uint8_t>>;
RegistryValues parseRegistryStore(std::span<const uint8_t> bytes);
std::vector<uint8_t> serializeRegistryStore(const RegistryValues& values);

}  // namespace platform
