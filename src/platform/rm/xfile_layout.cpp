#include "platform/rm/xfile_layout.h"

#include <cstdint>
#include <algorithm>
#include <cstring>

namespace roamer::rm {
namespace {

// A bound on how many top-level objects we look at: real files have a handful.
constexpr std::size_t kMaxObjects = 100000;
// Braces nest a few levels per frame of a hierarchy; the model library's parser recurses once
// per level and runs out of stack long before a file runs out of braces.
constexpr int kMaxNesting = 256;

bool IsIdentifierStart(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsIdentifierPart(unsigned char c) {
    return IsIdentifierStart(c) || (c >= '0' && c <= '9') || c == '-';
}

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

class TextScanner {
public:
    explicit TextScanner(std::span<const unsigned char> bytes) : m_bytes(bytes) {}

    bool Parseable() const { return m_parseable; }

    bool Scan(std::vector<XFileObject>* objects) {
        m_at = kXFileHeaderSize;
        for (;;) {
            SkipSpaceAndComments();
            if (m_at >= m_bytes.size()) {
                return true;
            }
            if (!IsIdentifierStart(m_bytes[m_at]) || objects->size() >= kMaxObjects) {
                return false;
            }
            XFileObject object;
            object.begin = m_at;
            while (m_at < m_bytes.size() && IsIdentifierPart(m_bytes[m_at])) {
                object.type.push_back(static_cast<char>(m_bytes[m_at++]));
            }
            if (!SkipBody()) {
                return false;
            }
            object.end = m_at;
            objects->push_back(std::move(object));
        }
    }

private:
    void SkipSpaceAndComments() {
        while (m_at < m_bytes.size()) {
            const unsigned char c = m_bytes[m_at];
            if (c == '#' || (c == '/' && m_at + 1 < m_bytes.size() && m_bytes[m_at + 1] == '/')) {
                while (m_at < m_bytes.size() && m_bytes[m_at] != '\n') {
                    ++m_at;
                }
            } else if (c <= ' ' || c == ';' || c == ',') {
                ++m_at;
            } else {
                return;
            }
        }
    }

    // From after the type name to one past the brace that closes the object.
    bool SkipBody() {
        int depth = 0;
        while (m_at < m_bytes.size()) {
            const unsigned char c = m_bytes[m_at++];
            if (c == '"') {
                while (m_at < m_bytes.size() && m_bytes[m_at] != '"') {
                    ++m_at;
                }
                ++m_at;
            } else if (c == '<') {
                while (m_at < m_bytes.size() && m_bytes[m_at] != '>') {
                    ++m_at;  // a GUID: its digit groups are not counts
                }
            } else if (c == '#' || (c == '/' && m_at < m_bytes.size() && m_bytes[m_at] == '/')) {
                while (m_at < m_bytes.size() && m_bytes[m_at] != '\n') {
                    ++m_at;
                }
            } else if (c == '{') {
                if (++depth > kMaxNesting) {
                    m_parseable = false;
                    return false;
                }
            } else if (c == '}') {
                if (--depth <= 0) {
                    return depth == 0;
                }
            } else if (IsDigit(c) || c == '.') {
                CheckNumber(m_at - 1);
            } else if (IsIdentifierStart(c)) {
                while (m_at < m_bytes.size() && IsIdentifierPart(m_bytes[m_at])) {
                    ++m_at;  // digits inside names are not numbers
                }
            }
        }
        return false;
    }

    void CheckNumber(std::size_t start) {
        bool whole = true;
        std::uint64_t value = 0;
        m_at = start;
        while (m_at < m_bytes.size()) {
            const unsigned char c = m_bytes[m_at];
            if (IsDigit(c)) {
                value = std::min<std::uint64_t>(value * 10 + (c - '0'), m_bytes.size() + 1u);
            } else if (c == '.' || c == 'e' || c == 'E' ||
                       ((c == '+' || c == '-') && (m_bytes[m_at - 1] | 0x20) == 'e')) {
                whole = false;
            } else {
                break;
            }
            ++m_at;
        }
        if (whole && value > m_bytes.size()) {
            m_parseable = false;
        }
    }

    std::span<const unsigned char> m_bytes;
    std::size_t m_at = 0;
    bool m_parseable = true;
};

// Token numbers of the binary format.
enum : std::uint16_t {
    kTokenName = 1,
    kTokenString = 2,
    kTokenInteger = 3,
    kTokenGuid = 5,
    kTokenIntegerList = 6,
    kTokenFloatList = 7,
    kTokenOpenBrace = 10,
    kTokenCloseBrace = 11,
    kTokenTemplate = 31,
    kLastToken = 52,  // "array"; the type keywords run from 40 ("WORD")
};

// Punctuation and keywords have no payload; numbers between them name no token at all.
bool IsKnownToken(std::uint16_t token) {
    return (token >= kTokenName && token <= kTokenFloatList && token != 4) ||
           (token >= kTokenOpenBrace && token <= 20) || token == kTokenTemplate ||
           (token >= 40 && token <= kLastToken);
}

class BinaryScanner {
public:
    BinaryScanner(std::span<const unsigned char> bytes, std::size_t floatSize)
        : m_bytes(bytes), m_floatSize(floatSize) {}

    bool Parseable() const { return m_parseable; }

    bool Scan(std::vector<XFileObject>* objects) {
        m_at = kXFileHeaderSize;
        while (m_at < m_bytes.size()) {
            if (objects->size() >= kMaxObjects) {
                return false;
            }
            XFileObject object;
            object.begin = m_at;
            std::uint16_t token = 0;
            if (!ReadWord(&token)) {
                return false;
            }
            if (token == kTokenTemplate) {
                object.type = "template";
            } else if (token == kTokenName) {
                if (!ReadName(&object.type)) {
                    return false;
                }
            } else {
                return false;
            }
            if (!SkipBody()) {
                return false;
            }
            object.end = m_at;
            objects->push_back(std::move(object));
        }
        return true;
    }

private:
    bool ReadWord(std::uint16_t* value) {
        if (m_bytes.size() - m_at < 2) {
            return false;
        }
        *value = static_cast<std::uint16_t>(m_bytes[m_at] | (m_bytes[m_at + 1] << 8));
        m_at += 2;
        return true;
    }
    bool ReadDword(std::uint32_t* value) {
        if (m_bytes.size() - m_at < 4) {
            return false;
        }
        std::memcpy(value, &m_bytes[m_at], 4);  // the format is little-endian, like the host
        m_at += 4;
        return true;
    }
    bool Skip(std::uint64_t count) {
        if (count > m_bytes.size() - m_at) {
            return false;
        }
        m_at += static_cast<std::size_t>(count);
        return true;
    }
    bool ReadName(std::string* name) {
        std::uint32_t length = 0;
        if (!ReadDword(&length) || length > m_bytes.size() - m_at) {
            return false;
        }
        name->assign(reinterpret_cast<const char*>(&m_bytes[m_at]), length);
        m_at += length;
        return true;
    }

    // Skips one token's payload; false at a broken or truncated token.
    bool SkipPayload(std::uint16_t token) {
        std::uint32_t count = 0;
        switch (token) {
            case kTokenName:
                return ReadDword(&count) && Skip(count);
            case kTokenString:
                return ReadDword(&count) && Skip(count) && Skip(2);
            case kTokenInteger:
                return ReadDword(&count) && Check(count);
            case kTokenGuid:
                return Skip(16);
            case kTokenIntegerList: {
                if (!ReadDword(&count) || std::uint64_t{count} * 4u > m_bytes.size() - m_at) {
                    return false;
                }
                for (std::uint32_t k = 0; k < count; ++k) {
                    std::uint32_t value = 0;
                    ReadDword(&value);
                    Check(value);
                }
                return true;
            }
            case kTokenFloatList:
                return ReadDword(&count) && Skip(std::uint64_t{count} * m_floatSize);
            default:
                return IsKnownToken(token);
        }
    }

    bool Check(std::uint32_t value) {
        if (value > m_bytes.size()) {
            m_parseable = false;
        }
        return true;
    }

    bool SkipBody() {
        int depth = 0;
        std::uint16_t token = 0;
        while (ReadWord(&token)) {
            if (token == kTokenOpenBrace) {
                if (++depth > kMaxNesting) {
                    m_parseable = false;
                    return false;
                }
            } else if (token == kTokenCloseBrace) {
                if (--depth <= 0) {
                    return depth == 0;
                }
            } else if (!SkipPayload(token)) {
                // The model library reads on through a broken token: a list that runs past the
                // end, or a word that is no token, makes it take the bytes after it for counts.
                m_parseable = false;
                return false;
            }
        }
        return false;
    }

    std::span<const unsigned char> m_bytes;
    std::size_t m_floatSize;
    std::size_t m_at = 0;
    bool m_parseable = true;
};

}  // namespace

XFileLayout ScanXFileLayout(std::span<const unsigned char> bytes) {
    XFileLayout layout;
    if (bytes.size() < kXFileHeaderSize || std::memcmp(bytes.data(), "xof ", 4) != 0) {
        return layout;
    }
    layout.isXFile = true;
    const std::string format(reinterpret_cast<const char*>(&bytes[8]), 4);
    const std::string floatBits(reinterpret_cast<const char*>(&bytes[12]), 4);
    if (format == "txt ") {
        TextScanner scanner(bytes);
        layout.complete = scanner.Scan(&layout.objects);
        layout.parseable = scanner.Parseable() && layout.complete;
    } else if (format == "bin ") {
        BinaryScanner scanner(bytes, floatBits == "0064" ? 8 : 4);
        layout.complete = scanner.Scan(&layout.objects);
        layout.parseable = scanner.Parseable() && layout.complete;
    }
    // What the scan could not follow to its end was not checked, so it is not handed on either.
    // Compressed files are not scanned; they load like files holding frames.
    return layout;
}

}  // namespace roamer::rm
