#include "platform/rm/xfile_data_check.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace roamer::rm {
namespace {

constexpr std::size_t kHeaderSize = 16;
constexpr int kMaxDepth = 256;
constexpr unsigned kMaxSets = 8;  // texture coordinate and colour sets the reader keeps
constexpr int kMaxDigits = 19;    // more overflow the reader's 64-bit conversion
// What one model may hold in all, whatever its size: furniture has thousands of corners. The
// reader allocates per element, and most per face corner.
constexpr std::uint64_t kMaxCorners = 2u * 1024u * 1024u;
constexpr std::uint64_t kMaxElements = 4u * 1024u * 1024u;  // vertices, faces, normals, keys...
// The reader's conversion takes time per material and face of a mesh, per bone and vertex, and
// per material reference and material.
constexpr std::uint64_t kMaxWork = 64u * 1024u * 1024u;
constexpr std::uint64_t kMaxMaterials = 4096;

bool IsSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
unsigned char Lower(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

// Takes tokens and numbers the way the model library's reader does, but fails wherever the
// reader would go on with garbage: past the end, a number taken from a token's own bytes, a
// negative whole number (the reader turns it into about four billion).
class XTokens {
public:
    XTokens(std::span<const unsigned char> bytes, bool binary, std::size_t floatSize)
        : m_bytes(bytes), m_binary(binary), m_floatSize(floatSize), m_at(kHeaderSize) {
        if (!binary) SkipLine();
    }

    std::size_t Left() const { return m_bytes.size() - m_at; }
    // The fewest bytes one whole number or one float can take.
    std::size_t IntBytes() const { return m_binary ? 4 : 2; }
    std::size_t FloatBytes() const { return m_binary ? m_floatSize : 2; }
    // Whether `count` elements of at least `bytesEach` bytes fit into what is left.
    bool Fits(std::uint64_t count, std::size_t bytesEach) const {
        return count <= Left() / bytesEach;
    }

    // An empty token at the end of the data.
    bool Next(std::string* token) { return m_binary ? NextBinary(token) : NextText(token); }
    bool Expect(std::string_view wanted) {
        std::string token;
        return Next(&token) && token == wanted;
    }
    bool Semicolon() { return m_binary || Expect(";"); }
    bool Separator() {
        if (m_binary) return true;
        std::string token;
        return Next(&token) && (token == "," || token == ";");
    }
    // A separator that may be missing.
    void OptionalSeparator() {
        if (m_binary) return;
        SkipSpace();
        if (m_at < m_bytes.size() && (Byte(0) == ';' || Byte(0) == ',')) ++m_at;
    }
    // The `;` some writers put after a material list's indices, with nothing in front.
    void OptionalSemicolonHere() {
        if (!m_binary && m_at < m_bytes.size() && Byte(0) == ';') ++m_at;
    }

    bool Int(std::uint32_t* value) {
        return m_binary ? BinaryNumber(false, value) : TextInt(value) && Separator();
    }
    bool Int() {
        std::uint32_t ignored = 0;
        return Int(&ignored);
    }
    bool Floats(int count) {
        for (int k = 0; k < count; ++k) {
            std::uint32_t ignored = 0;
            if (!(m_binary ? BinaryNumber(true, &ignored) : TextFloat() && Separator())) {
                return false;
            }
        }
        return true;
    }
    // Vectors and colours end with a separator that may be missing.
    bool Group(int floats) {
        if (!Floats(floats)) return false;
        OptionalSeparator();
        return true;
    }
    bool QuotedString() {
        if (m_binary) {
            std::string token;
            return Next(&token);
        }
        SkipSpace();
        if (m_at >= m_bytes.size() || Byte(0) != '"') return false;
        ++m_at;
        while (m_at < m_bytes.size() && Byte(0) != '"') ++m_at;
        if (m_at + 1 >= m_bytes.size() || Byte(1) != ';') return false;
        m_at += 2;
        return true;
    }

private:
    unsigned char Byte(std::size_t ahead) const {
        return m_at + ahead < m_bytes.size() ? m_bytes[m_at + ahead] : 0;
    }
    bool Matches(std::string_view text) const {
        return Left() >= text.size() && std::memcmp(&m_bytes[m_at], text.data(), text.size()) == 0;
    }
    bool MatchesFolded(std::string_view text) const {
        for (std::size_t k = 0; k < text.size(); ++k) {
            if (Lower(Byte(k)) != static_cast<unsigned char>(text[k])) return false;
        }
        return true;
    }

    void SkipLine() {
        while (m_at < m_bytes.size()) {
            const unsigned char c = m_bytes[m_at++];
            if (c == '\n' || c == '\r') return;
        }
    }
    void SkipSpace() {
        for (;;) {
            while (m_at < m_bytes.size() && IsSpace(m_bytes[m_at])) ++m_at;
            if (m_at >= m_bytes.size()) return;
            if ((Byte(0) == '/' && Byte(1) == '/') || Byte(0) == '#') {
                SkipLine();
            } else {
                return;
            }
        }
    }
    bool SkipDigits(int most) {
        int digits = 0;
        while (IsDigit(Byte(0))) {
            if (++digits > most) return false;
            ++m_at;
        }
        return digits > 0;
    }

    bool NextText(std::string* token) {
        token->clear();
        SkipSpace();
        while (m_at < m_bytes.size() && !IsSpace(Byte(0))) {
            const unsigned char c = Byte(0);
            if (c == ';' || c == '}' || c == '{' || c == ',') {
                if (token->empty()) {
                    token->push_back(static_cast<char>(c));
                    ++m_at;
                }
                break;
            }
            token->push_back(static_cast<char>(c));
            ++m_at;
        }
        return true;
    }

    bool TextInt(std::uint32_t* value) {
        SkipSpace();
        std::uint64_t number = 0;
        if (!IsDigit(Byte(0))) return false;  // a minus sign included
        while (IsDigit(Byte(0))) {
            number = number * 10u + (Byte(0) - '0');
            if (number > std::numeric_limits<std::uint32_t>::max()) return false;
            ++m_at;
        }
        *value = static_cast<std::uint32_t>(number);
        return true;
    }

    // A float as the reader's own conversion takes it, a comma serving as a decimal point too.
    bool TextFloat() {
        SkipSpace();
        if (Matches("-1.#IND00") || Matches("1.#IND00")) {  // the reader skips nine for both
            m_at += 9;
            return m_at <= m_bytes.size();
        }
        if (Matches("1.#QNAN0")) {
            m_at += 8;
            return true;
        }
        if (Byte(0) == '-' || Byte(0) == '+') ++m_at;
        if (MatchesFolded("nan")) {
            m_at += 3;
            return true;
        }
        if (MatchesFolded("inf")) {
            m_at += MatchesFolded("infinity") ? 8u : 3u;
            return true;
        }
        const bool point = Byte(0) == '.' || Byte(0) == ',';
        if (!IsDigit(Byte(0)) && !(point && IsDigit(Byte(1)))) return false;
        if (!point && !SkipDigits(kMaxDigits)) return false;
        if ((Byte(0) == '.' || Byte(0) == ',') && IsDigit(Byte(1))) {
            ++m_at;
            SkipDigits(std::numeric_limits<int>::max());
        } else if (Byte(0) == '.') {
            ++m_at;
        }
        if (Byte(0) == 'e' || Byte(0) == 'E') {
            ++m_at;
            if (Byte(0) == '-' || Byte(0) == '+') ++m_at;
            if (!SkipDigits(kMaxDigits)) return false;
        }
        return true;
    }

    std::uint32_t Word() {
        const std::uint32_t value = m_bytes[m_at] | (std::uint32_t{m_bytes[m_at + 1]} << 8);
        m_at += 2;
        return value;
    }
    std::uint32_t Dword() {
        std::uint32_t value = 0;
        for (std::size_t k = 4; k-- > 0;) value = (value << 8) | m_bytes[m_at + k];
        m_at += 4;
        return value;
    }
    bool Skip(std::uint64_t count) {
        if (count > Left()) return false;
        m_at += static_cast<std::size_t>(count);
        return true;
    }

    bool NextBinary(std::string* token) {
        token->clear();
        if (Left() < 2) return true;
        const std::uint32_t kind = Word();
        std::uint32_t length = 0;
        switch (kind) {
            case 1:  // a name
            case 2:  // a string, with its two-byte terminator
                if (Left() < 4) return false;
                length = Dword();
                if (length > Left()) return false;
                token->assign(reinterpret_cast<const char*>(&m_bytes[m_at]), length);
                return Skip(length) && (kind == 1 || Skip(2));
            case 3: *token = "<integer>"; return Skip(4);
            case 5: *token = "<guid>"; return Skip(16);
            case 6:
            case 7:
                if (Left() < 4) return false;
                length = Dword();
                *token = kind == 6 ? "<int_list>" : "<flt_list>";
                return Skip(std::uint64_t{length} * (kind == 6 ? 4u : m_floatSize));
            case 0x1F: *token = "template"; return true;
            default: break;
        }
        static constexpr std::string_view kPunctuation[] = {"{", "}", "(", ")", "[", "]",
                                                            "<", ">", ".", ",", ";"};
        if (kind >= 0x0A && kind <= 0x14) {
            *token = kPunctuation[kind - 0x0A];
            return true;
        }
        static constexpr std::string_view kKeywords[] = {
            "WORD", "DWORD", "FLOAT", "DOUBLE", "CHAR", "UCHAR", "SWORD",
            "SDWORD", "void", "string", "unicode", "cstring", "array"};
        if (kind >= 0x28 && kind <= 0x34) {
            *token = kKeywords[kind - 0x28];
            return true;
        }
        return false;  // no token: the reader would stop reading here
    }

    // The reader takes numbers from the current integer or float list, and when it has none
    // left, starts a new list from the next token whatever that token is.
    bool BinaryNumber(bool isFloat, std::uint32_t* value) {
        if (m_listLeft == 0) {
            if (Left() < 2) return false;
            const std::uint32_t kind = Word();
            if (kind == (isFloat ? 7u : 6u)) {
                if (Left() < 4) return false;
                m_listLeft = Dword();
            } else if (!isFloat && kind == 3) {
                m_listLeft = 1;
            } else {
                return false;
            }
            m_listOfFloats = isFloat;
            if (m_listLeft == 0) return false;  // the reader would count down from zero
        }
        const std::size_t size = isFloat ? m_floatSize : 4;
        if ((m_listOfFloats ? m_floatSize : 4) != size || Left() < size) return false;
        --m_listLeft;
        if (isFloat) {
            m_at += size;
        } else {
            *value = Dword();
        }
        return true;
    }

    std::span<const unsigned char> m_bytes;
    bool m_binary;
    std::size_t m_floatSize;
    std::size_t m_at;
    std::uint32_t m_listLeft = 0;
    bool m_listOfFloats = false;
};

// The templates the model library's reader knows, followed as it follows them.
class XDataCheck {
public:
    explicit XDataCheck(XTokens tokens) : m_in(tokens) {}

    bool File() {
        for (;;) {
            std::string name;
            if (!m_in.Next(&name)) return false;
            if (name.empty()) return true;
            bool ok = true;
            if (name == "template") {
                ok = Template();
            } else if (name == "Frame") {
                ok = Frame(1);
            } else if (name == "Mesh") {
                ok = Mesh();
            } else if (name == "AnimTicksPerSecond") {
                ok = Head() && m_in.Int() && m_in.Expect("}");
            } else if (name == "AnimationSet") {
                ok = AnimationSet();
            } else if (name == "Material") {
                ok = TakeMaterial(0) && Material();
            } else if (name != "}") {
                ok = Unknown();
            }
            if (!ok) return false;
        }
    }

private:
    // Counts `count` more elements (or face corners) against what one model may hold.
    static bool TakeFrom(std::uint64_t* left, std::uint64_t count) {
        if (count > *left) return false;
        *left -= count;
        return true;
    }
    bool Take(std::uint64_t count, bool corners = false) {
        return TakeFrom(corners ? &m_cornersLeft : &m_elementsLeft, count);
    }
    // A material, or a reference to one; `faces` of the mesh whose list holds it.
    bool TakeMaterial(std::uint64_t faces) {
        return TakeFrom(&m_materialsLeft, 1) && TakeFrom(&m_workLeft, faces + kMaxMaterials);
    }

    struct MeshCounts {
        std::uint32_t vertices = 0;
        std::vector<std::uint32_t> faceCorners;
        unsigned textureSets = 0;
        unsigned colourSets = 0;
    };

    // An optional name, then the opening brace. Every object counts as an element.
    bool Head() {
        std::string token;
        if (!Take(1) || !m_in.Next(&token)) return false;
        return token == "{" || m_in.Expect("{");
    }

    bool Template() {
        std::string token;
        if (!Head() || !m_in.Next(&token)) return false;  // the GUID
        for (;;) {
            if (!m_in.Next(&token) || token.empty()) return false;
            if (token == "}") return true;
        }
    }

    // Skips an object the reader does not know: up to its brace, then to the matching one.
    bool Unknown() {
        std::string token;
        do {
            if (!m_in.Next(&token) || token.empty()) return false;
        } while (token != "{");
        for (std::uint64_t open = 1; open > 0;) {
            if (!m_in.Next(&token) || token.empty()) return false;
            if (token == "{") ++open;
            if (token == "}") --open;
        }
        return true;
    }

    bool Frame(int depth) {
        if (depth > kMaxDepth || !Head()) return false;
        for (;;) {
            std::string name;
            if (!m_in.Next(&name) || name.empty()) return false;
            bool ok = true;
            if (name == "}") {
                return true;
            } else if (name == "Frame") {
                ok = Frame(depth + 1);
            } else if (name == "FrameTransformMatrix") {
                ok = Head() && m_in.Floats(16) && m_in.Semicolon() && m_in.Expect("}");
            } else if (name == "Mesh") {
                ok = Mesh();
            } else {
                ok = Unknown();
            }
            if (!ok) return false;
        }
    }

    bool Mesh() {
        MeshCounts mesh;
        std::uint32_t faces = 0;
        if (!Head() || !m_in.Int(&mesh.vertices) ||
            !m_in.Fits(mesh.vertices, 3 * m_in.FloatBytes()) || !Take(mesh.vertices)) {
            return false;
        }
        for (std::uint32_t k = 0; k < mesh.vertices; ++k) {
            if (!m_in.Group(3)) return false;
        }
        if (!m_in.Int(&faces) || !m_in.Fits(faces, m_in.IntBytes()) || !Take(faces)) return false;
        mesh.faceCorners.reserve(faces);
        for (std::uint32_t f = 0; f < faces; ++f) {
            std::uint32_t corners = 0;
            if (!m_in.Int(&corners) || !m_in.Fits(corners, m_in.IntBytes()) ||
                !Take(corners, true)) {
                return false;
            }
            for (std::uint32_t k = 0; k < corners; ++k) {
                std::uint32_t index = 0;
                if (!m_in.Int(&index) || index >= mesh.vertices) return false;
            }
            mesh.faceCorners.push_back(corners);
            m_in.OptionalSeparator();
        }
        for (;;) {
            std::string name;
            if (!m_in.Next(&name) || name.empty()) return false;
            bool ok = true;
            if (name == "}") {
                return true;
            } else if (name == "MeshNormals") {
                ok = Normals(mesh);
            } else if (name == "MeshTextureCoords") {
                ok = ++mesh.textureSets <= kMaxSets && PerVertex(mesh, false);
            } else if (name == "MeshVertexColors") {
                ok = ++mesh.colourSets <= kMaxSets && PerVertex(mesh, true);
            } else if (name == "MeshMaterialList") {
                ok = MaterialList(mesh);
            } else if (name == "XSkinMeshHeader") {
                ok = Head() && m_in.Int() && m_in.Int() && m_in.Int() && m_in.Expect("}");
            } else if (name == "SkinWeights") {
                ok = SkinWeights(mesh);
            } else {
                ok = Unknown();
            }
            if (!ok) return false;
        }
    }

    // The library takes normal indices face by face beside the vertex indices.
    bool Normals(const MeshCounts& mesh) {
        std::uint32_t normals = 0;
        std::uint32_t faces = 0;
        if (!Head() || !m_in.Int(&normals) || !m_in.Fits(normals, 3 * m_in.FloatBytes()) ||
            !Take(normals)) {
            return false;
        }
        for (std::uint32_t k = 0; k < normals; ++k) {
            if (!m_in.Group(3)) return false;
        }
        if (!m_in.Int(&faces) || faces != mesh.faceCorners.size()) return false;
        for (std::uint32_t f = 0; f < faces; ++f) {
            std::uint32_t corners = 0;
            if (!m_in.Int(&corners) || corners != mesh.faceCorners[f]) return false;
            for (std::uint32_t k = 0; k < corners; ++k) {
                std::uint32_t index = 0;
                if (!m_in.Int(&index) || index >= normals) return false;
            }
            m_in.OptionalSeparator();
        }
        return m_in.Expect("}");
    }

    // Texture coordinates (two floats each) or indexed colours (an index and four floats).
    bool PerVertex(const MeshCounts& mesh, bool colours) {
        std::uint32_t count = 0;
        if (!Head() || !m_in.Int(&count) || count != mesh.vertices || !Take(count)) return false;
        for (std::uint32_t k = 0; k < count; ++k) {
            std::uint32_t index = 0;
            if (colours && (!m_in.Int(&index) || index >= mesh.vertices)) return false;
            if (!m_in.Group(colours ? 4 : 2)) return false;
            if (colours) m_in.OptionalSeparator();
        }
        return m_in.Expect("}");
    }

    bool MaterialList(const MeshCounts& mesh) {
        std::uint32_t indices = 0;
        if (!Head() || !m_in.Int() || !m_in.Int(&indices) ||
            (indices != mesh.faceCorners.size() && indices != 1)) {
            return false;
        }
        for (std::uint32_t k = 0; k < indices; ++k) {
            if (!m_in.Int()) return false;
        }
        m_in.OptionalSemicolonHere();
        for (;;) {
            std::string name;
            if (!m_in.Next(&name) || name.empty()) return false;
            bool ok = true;
            if (name == "}") {
                return true;
            } else if (name == "{") {
                // A reference by name.
                ok = TakeMaterial(mesh.faceCorners.size()) && m_in.Next(&name) &&
                     m_in.Expect("}");
            } else if (name == "Material") {
                ok = TakeMaterial(mesh.faceCorners.size()) && Material();
            } else if (name != ";") {
                ok = Unknown();
            }
            if (!ok) return false;
        }
    }

    bool Material() {
        if (!Head() || !m_in.Group(4) || !m_in.Floats(1) || !m_in.Group(3) || !m_in.Group(3)) {
            return false;
        }
        for (;;) {
            std::string name;
            if (!m_in.Next(&name) || name.empty()) return false;
            bool ok = true;
            if (name == "}") {
                return true;
            } else if (name == "TextureFilename" || name == "TextureFileName" ||
                       name == "NormalmapFilename" || name == "NormalmapFileName") {
                ok = Head() && m_in.QuotedString() && m_in.Expect("}");
            } else {
                ok = Unknown();
            }
            if (!ok) return false;
        }
    }

    // A bone: the reader spreads its weights over all the mesh's vertices.
    bool SkinWeights(const MeshCounts& mesh) {
        std::uint32_t weights = 0;
        if (!Head() || !TakeFrom(&m_workLeft, mesh.vertices) || !m_in.QuotedString() ||
            !m_in.Int(&weights) || !m_in.Fits(weights, m_in.IntBytes() + m_in.FloatBytes()) ||
            !Take(weights)) {
            return false;
        }
        for (std::uint32_t k = 0; k < weights; ++k) {
            std::uint32_t vertex = 0;
            if (!m_in.Int(&vertex) || vertex >= mesh.vertices) return false;
        }
        return m_in.Floats(static_cast<int>(weights)) && m_in.Floats(16) && m_in.Semicolon() &&
               m_in.Expect("}");
    }

    bool AnimationSet() {
        if (!Head()) return false;
        for (;;) {
            std::string name;
            if (!m_in.Next(&name) || name.empty()) return false;
            bool ok = true;
            if (name == "}") {
                return true;
            } else if (name == "Animation") {
                ok = Animation();
            } else {
                ok = Unknown();
            }
            if (!ok) return false;
        }
    }

    bool Animation() {
        if (!Head()) return false;
        for (;;) {
            std::string name;
            if (!m_in.Next(&name) || name.empty()) return false;
            bool ok = true;
            if (name == "}") {
                return true;
            } else if (name == "AnimationKey") {
                ok = AnimationKey();
            } else if (name == "{") {
                ok = m_in.Next(&name) && m_in.Expect("}");  // the animated frame's name
            } else {
                ok = Unknown();
            }
            if (!ok) return false;
        }
    }

    bool AnimationKey() {
        std::uint32_t type = 0;
        std::uint32_t keys = 0;
        // A key holds a time, a value count and at least three values.
        if (!Head() || !m_in.Int(&type) || type > 4 || !m_in.Int(&keys) ||
            !m_in.Fits(keys, 2 * m_in.IntBytes() + 3 * m_in.FloatBytes()) || !Take(keys)) {
            return false;
        }
        const std::uint32_t values = type == 0 ? 4 : type <= 2 ? 3 : 16;
        for (std::uint32_t k = 0; k < keys; ++k) {
            std::uint32_t count = 0;
            if (!m_in.Int() || !m_in.Int(&count) || count != values) return false;
            const bool ok = values == 3 ? m_in.Group(3) : m_in.Floats(static_cast<int>(values)) &&
                                                              m_in.Semicolon();
            if (!ok || !m_in.Separator()) return false;
        }
        return m_in.Expect("}");
    }

    XTokens m_in;
    std::uint64_t m_cornersLeft = kMaxCorners;
    std::uint64_t m_elementsLeft = kMaxElements;
    std::uint64_t m_workLeft = kMaxWork;
    std::uint64_t m_materialsLeft = kMaxMaterials;
};

}  // namespace

bool XFileDataIsBounded(std::span<const unsigned char> bytes) {
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), "xof ", 4) != 0) return false;
    const std::string_view format(reinterpret_cast<const char*>(&bytes[8]), 4);
    const std::string_view floatBits(reinterpret_cast<const char*>(&bytes[12]), 4);
    if ((format != "txt " && format != "bin ") || (floatBits != "0032" && floatBits != "0064")) {
        return false;
    }
    XDataCheck check(XTokens(bytes, format == "bin ", floatBits == "0064" ? 8 : 4));
    return check.File();
}

}  // namespace roamer::rm
