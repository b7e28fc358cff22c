#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace roamer::tools {

// Builds one JSON text. The caller puts keys and values in a valid order; strings must be UTF-8.
class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view key);
    JsonWriter& String(std::string_view value);
    JsonWriter& Number(double value);  // NaN and infinities become null
    JsonWriter& Number(float value);   // the shortest text that reads back as the same float
    JsonWriter& Integer(std::int64_t value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

    const std::string& Text() const { return m_text; }

private:
    void Separate();

    std::string m_text;
    bool m_needComma = false;
};

}  // namespace roamer::tools
