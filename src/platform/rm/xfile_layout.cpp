#include "platform/rm/xfile_layout.h"

#include <cstdint>
#include <algorithm>
#include <cstring>
#include <string_view>

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

// The model library's reader gives every face of a mesh a material from the mesh's material list
// and, when the list holds none at all, reads the first entry of the empty list anyway. So a list
// must hold at least one entry the reader surely takes: `Material [name] { ... }` or a reference
// `{ name }`, with nothing in front of it that the reader would take for the start of some other
// object (which swallows everything up to that object's closing brace).
class MaterialLists {
public:
    // `separatorAfterIndices`: a separator after the face indices is consumed with the last of
    // them. `watch` false inside a template, which declares a list's layout and holds no list.
    MaterialLists(bool separatorAfterIndices, bool watch)
        : m_separatorAfterIndices(separatorAfterIndices), m_watch(watch) {}

    // `depth` is the nesting inside the scanned top-level object when the token is met.
    void Word(std::string_view word, int depth) {
        if (List* list = At(depth)) {
            if (!list->headerDone || list->words >= 2) {
                list->clean = false;
            }
            if (list->words++ == 0) {
                list->material = word == "Material";
            }
        }
        if (m_watch && word == "MeshMaterialList") {
            m_pending = true;
        }
    }
    // A whole number: the material count, the face index count, then that many indices.
    void Number(std::uint64_t value, int depth) {
        if (List* list = At(depth)) {
            if (list->headerDone) {
                if (list->words == 1 && list->material) {
                    ++list->words;  // `Material 1 { ... }`: the material's name
                } else {
                    list->clean = false;
                }
                return;
            }
            if (++list->numbers == 2) {
                list->indices = value;
            }
            if (list->numbers >= 2 && list->numbers - 2 == list->indices) {
                list->headerDone = true;
                list->separatorLeft = m_separatorAfterIndices;
            }
        }
    }
    void Separator(char c, int depth) {
        if (List* list = At(depth); list != nullptr && list->headerDone) {
            if (c == ',' && !list->separatorLeft) {
                list->clean = false;  // read as the start of an object
            }
            list->separatorLeft = false;
        }
    }
    // Anything else the reader would take for the start of an object.
    void Other(int depth) {
        if (List* list = At(depth)) {
            list->clean = false;
        }
    }
    // `depth` is the nesting after the brace.
    void Open(int depth) {
        if (List* list = At(depth - 1)) {
            if (list->headerDone && list->clean && (list->words == 0 || list->material)) {
                ++list->materials;
            }
            EndChild(list);
        }
        if (m_pending) {
            m_lists.push_back(List{depth});
            m_pending = false;
        }
    }
    // `depth` is the nesting before the brace; false when a list closes without a material.
    bool Close(int depth) {
        m_pending = false;
        if (m_lists.empty()) {
            return true;
        }
        if (depth == m_lists.back().depth) {
            const bool any = m_lists.back().materials > 0;
            m_lists.pop_back();
            return any;
        }
        if (depth == m_lists.back().depth + 1) {
            EndChild(&m_lists.back());
        }
        return true;
    }

private:
    struct List {
        int depth = 0;  // nesting of the list's own entries
        std::uint64_t numbers = 0;
        std::uint64_t indices = 0;
        bool headerDone = false;
        bool separatorLeft = false;
        bool clean = true;
        bool material = false;
        int words = 0;
        int materials = 0;
    };

    List* At(int depth) {
        return !m_lists.empty() && m_lists.back().depth == depth ? &m_lists.back() : nullptr;
    }
    static void EndChild(List* list) {
        list->words = 0;
        list->material = false;
        list->clean = true;
        list->separatorLeft = false;
    }

    bool m_separatorAfterIndices;
    bool m_watch;
    bool m_pending = false;
    std::vector<List> m_lists;
};

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
            if (!SkipBody(object.type == "template")) {
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
    bool SkipBody(bool templateBody) {
        int depth = 0;
        MaterialLists lists(true, !templateBody);
        while (m_at < m_bytes.size()) {
            const unsigned char c = m_bytes[m_at++];
            if (c == '"') {
                lists.Other(depth);
                while (m_at < m_bytes.size() && m_bytes[m_at] != '"') {
                    ++m_at;
                }
                ++m_at;
            } else if (c == '<') {
                lists.Other(depth);
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
                lists.Open(depth);
            } else if (c == '}') {
                if (!lists.Close(depth)) {
                    m_parseable = false;
                }
                if (--depth <= 0) {
                    return depth == 0;
                }
            } else if (IsDigit(c) || c == '.') {
                std::uint64_t value = 0;
                const std::size_t start = m_at - 1;
                const bool whole = CheckNumber(start, &value);
                if (m_at < m_bytes.size() && IsIdentifierPart(m_bytes[m_at])) {
                    while (m_at < m_bytes.size() && IsIdentifierPart(m_bytes[m_at])) {
                        ++m_at;  // a name that starts with a digit, like `01_Default`
                    }
                    lists.Word({reinterpret_cast<const char*>(&m_bytes[start]), m_at - start}, depth);
                } else if (whole) {
                    lists.Number(value, depth);
                } else {
                    lists.Other(depth);
                }
            } else if (IsIdentifierStart(c)) {
                const std::size_t start = m_at - 1;
                while (m_at < m_bytes.size() && IsIdentifierPart(m_bytes[m_at])) {
                    ++m_at;  // digits inside names are not numbers
                }
                lists.Word({reinterpret_cast<const char*>(&m_bytes[start]), m_at - start}, depth);
            } else if (c == ';' || c == ',') {
                lists.Separator(static_cast<char>(c), depth);
            } else if (c != ' ' && (c < '\t' || c > '\r')) {
                lists.Other(depth);  // the library's reader skips only these blanks
            }
        }
        return false;
    }

    // True for a whole number, whose value (capped past the file size) goes to `value`.
    bool CheckNumber(std::size_t start, std::uint64_t* value_out) {
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
        *value_out = value;
        return whole;
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
    kTokenComma = 19,
    kTokenSemicolon = 20,
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
            if (!SkipBody(object.type == "template")) {
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

    // Skips one token's payload, telling `lists` what it holds; false at a broken or truncated
    // token.
    bool SkipPayload(std::uint16_t token, MaterialLists* lists, int depth) {
        std::uint32_t count = 0;
        switch (token) {
            case kTokenName: {
                std::string name;
                if (!ReadName(&name)) {
                    return false;
                }
                lists->Word(name, depth);
                return true;
            }
            case kTokenString:
                lists->Other(depth);
                return ReadDword(&count) && Skip(count) && Skip(2);
            case kTokenInteger:
                if (!ReadDword(&count)) {
                    return false;
                }
                lists->Number(count, depth);
                return Check(count);
            case kTokenIntegerList: {
                if (!ReadDword(&count) || std::uint64_t{count} * 4u > m_bytes.size() - m_at) {
                    return false;
                }
                for (std::uint32_t k = 0; k < count; ++k) {
                    std::uint32_t value = 0;
                    ReadDword(&value);
                    lists->Number(value, depth);
                    Check(value);
                }
                return true;
            }
            case kTokenFloatList:
                lists->Other(depth);
                return ReadDword(&count) && Skip(std::uint64_t{count} * m_floatSize);
            case kTokenComma:
            case kTokenSemicolon:
                lists->Separator(token == kTokenComma ? ',' : ';', depth);
                return true;
            default:
                lists->Other(depth);
                return token == kTokenGuid ? Skip(16) : IsKnownToken(token);
        }
    }

    bool Check(std::uint32_t value) {
        if (value > m_bytes.size()) {
            m_parseable = false;
        }
        return true;
    }

    bool SkipBody(bool templateBody) {
        int depth = 0;
        std::uint16_t token = 0;
        MaterialLists lists(false, !templateBody);  // no separators after binary numbers
        while (ReadWord(&token)) {
            if (token == kTokenOpenBrace) {
                if (++depth > kMaxNesting) {
                    m_parseable = false;
                    return false;
                }
                lists.Open(depth);
            } else if (token == kTokenCloseBrace) {
                if (!lists.Close(depth)) {
                    m_parseable = false;
                }
                if (--depth <= 0) {
                    return depth == 0;
                }
            } else if (!SkipPayload(token, &lists, depth)) {
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
