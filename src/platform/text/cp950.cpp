#include "platform/text/cp950.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>

namespace roamer::text {
namespace {

// Owns one iconv conversion descriptor.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (Valid()) iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible; on an invalid or incomplete sequence the number of bytes
    // consumed so far is reported and conversion stops there.
    bool Convert(std::string_view in, std::string& out, std::size_t& consumed) {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char buffer[1024];
        bool ok = true;
        while (srcLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            std::size_t r = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
                ok = false;
                break;
            }
        }
        consumed = in.size() - srcLeft;
        return ok;
    }

private:
    iconv_t m_cd;
};

}  // namespace

std::string Cp950ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    Converter conv("UTF-8", "CP950");
    if (!conv.Valid()) {
        // Without the converter keep ASCII and mark everything else as unreadable.
        for (char c : bytes) {
            if (static_cast<unsigned char>(c) < 0x80)
                out.push_back(c);
            else
                out.append("\xEF\xBF\xBD");
        }
        return out;
    }
    std::string_view rest = bytes;
    while (!rest.empty()) {
        std::size_t consumed = 0;
        if (conv.Convert(rest, out, consumed)) break;
        // Skip one bad byte (the lead byte of a broken pair) and go on after it.
        out.append("\xEF\xBF\xBD");
        rest.remove_prefix(consumed + 1 <= rest.size() ? consumed + 1 : rest.size());
    }
    return out;
}

std::optional<std::string> Utf8ToCp950(std::string_view utf8) {
    if (!IsValidUtf8(utf8)) return std::nullopt;
    Converter conv("CP950", "UTF-8");
    if (!conv.Valid()) return std::nullopt;
    std::string out;
    std::size_t consumed = 0;
    if (!conv.Convert(utf8, out, consumed)) return std::nullopt;
    return out;
}

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        std::size_t len = 0;
        char32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1Fu;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0Fu;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07u;
        } else {
            return false;
        }
        if (i + len > n) return false;
        for (std::size_t k = 1; k < len; ++k) {
            const auto cc = static_cast<unsigned char>(bytes[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3Fu);
        }
        // Reject overlong forms, surrogates and values past the last code point.
        if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) ||
            (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return false;
        i += len;
    }
    return true;
}

std::string ToDisplayText(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return Cp950ToUtf8(bytes);
}

}  // namespace roamer::text
