// Code page 950 to UTF-8 and back: the UTF-8 is always valid, and text that converts to code
// page 950 converts back to itself.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "harness/harness.h"
#include "platform/text/cp950.h"

namespace roamer::fuzz {

bool FuzzCp950(const std::uint8_t* data, std::size_t size) {
    using namespace roamer::text;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string utf8 = Cp950ToUtf8(bytes);
    if (!IsValidUtf8(utf8)) return false;
    if (const auto back = Utf8ToCp950(utf8); back && Cp950ToUtf8(*back) != utf8) return false;

    if (const auto cp950 = Utf8ToCp950(bytes)) {
        if (!IsValidUtf8(bytes) || Cp950ToUtf8(*cp950) != bytes) return false;
    }
    if (!IsValidUtf8(ToDisplayText(bytes))) return false;
    return true;
}

}  // namespace roamer::fuzz
