#pragma once

#include <optional>
#include <string>
#include <string_view>

// Text in the files we read is code page 950 (Big5 with Microsoft's extensions). Inside the
// program such text stays as bytes; it becomes UTF-8 only to be shown or to name a file.
namespace roamer::text {

// Converts code page 950 bytes to UTF-8. Bytes that do not form a valid character become U+FFFD,
// so the result is always valid UTF-8 and every readable character survives.
std::string Cp950ToUtf8(std::string_view bytes);

// Converts UTF-8 to code page 950; nothing when some character has no code page 950 form or the
// input is not valid UTF-8.
std::optional<std::string> Utf8ToCp950(std::string_view utf8);

bool IsValidUtf8(std::string_view bytes);

// Bytes that are valid UTF-8 are taken as UTF-8, everything else as code page 950.
std::string ToDisplayText(std::string_view bytes);

}  // namespace roamer::text
