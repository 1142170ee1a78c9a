#pragma once
// A small JSON writer for the remote view and the telemetry: objects and arrays built in order,
// strings escaped, no parsing.

#include <cstdint>
#include <string>
#include <string_view>

namespace remote {

// Escapes and quotes a UTF-8 string; control characters and invalid bytes never reach the output
// raw (an invalid byte becomes U+FFFD).
std::string jsonString(std::string_view text);

class JsonWriter {
  public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    // The key of the next value inside an object.
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(int64_t number);
    JsonWriter& value(int number) { return value(static_cast<int64_t>(number)); }
    JsonWriter& value(uint64_t number);
    JsonWriter& value(bool flag);
    // A number with one decimal from tenths: 155 -> 15.5.
    JsonWriter& tenths(int64_t tenths);
    JsonWriter& null();
    const std::string& text() const { return out_; }

  private:
    void separate();
    std::string out_;
    bool needComma_ = false;
};

}  // namespace remote
