#include "roamer-check/json_writer.h"

#include <charconv>
#include <cmath>

namespace roamer::tools {

void JsonWriter::Separate() {
    if (m_needComma) m_text += ',';
    m_needComma = true;
}

JsonWriter& JsonWriter::BeginObject() {
    Separate();
    m_text += '{';
    m_needComma = false;
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    m_text += '}';
    m_needComma = true;
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    Separate();
    m_text += '[';
    m_needComma = false;
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    m_text += ']';
    m_needComma = true;
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
    String(key);
    m_text += ':';
    m_needComma = false;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view value) {
    Separate();
    m_text += '"';
    for (char c : value) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
            case '"': m_text += "\\\""; break;
            case '\\': m_text += "\\\\"; break;
            case '\n': m_text += "\\n"; break;
            case '\r': m_text += "\\r"; break;
            case '\t': m_text += "\\t"; break;
            default:
                if (u < 0x20) {
                    static constexpr char kHex[] = "0123456789abcdef";
                    m_text += "\\u00";
                    m_text += kHex[u >> 4];
                    m_text += kHex[u & 15];
                } else {
                    m_text += c;
                }
        }
    }
    m_text += '"';
    return *this;
}

JsonWriter& JsonWriter::Number(double value) {
    if (!std::isfinite(value)) return Null();
    Separate();
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    m_text.append(buffer, result.ptr);
    return *this;
}

JsonWriter& JsonWriter::Number(float value) {
    if (!std::isfinite(value)) return Null();
    Separate();
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    m_text.append(buffer, result.ptr);
    return *this;
}

JsonWriter& JsonWriter::Integer(std::int64_t value) {
    Separate();
    m_text += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    Separate();
    m_text += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Null() {
    Separate();
    m_text += "null";
    return *this;
}

}  // namespace roamer::tools
