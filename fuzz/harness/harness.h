#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// What each fuzz target does with one input. Each returns false when the input broke a rule of
// its reader (the fuzzer then reports the input); crashes, leaks, hangs and undefined behaviour
// are caught by the sanitizers. The normal test suite runs the same functions on the files
// under tests/data/fuzz/, so every finding stays a regression test.
namespace roamer::fuzz {

using Harness = bool (*)(const std::uint8_t* data, std::size_t size);

bool FuzzDesign(const std::uint8_t* data, std::size_t size);
bool FuzzTaggedText(const std::uint8_t* data, std::size_t size);
bool FuzzBrowsePath(const std::uint8_t* data, std::size_t size);
bool FuzzPlayList(const std::uint8_t* data, std::size_t size);
bool FuzzXFile(const std::uint8_t* data, std::size_t size);
bool FuzzPicture(const std::uint8_t* data, std::size_t size);
bool FuzzCp950(const std::uint8_t* data, std::size_t size);
bool FuzzWindowsPath(const std::uint8_t* data, std::size_t size);

struct NamedHarness {
    const char* name;  // the target's name: fuzz_<name>, tests/data/fuzz/<name>/
    Harness run;
};

inline constexpr NamedHarness kHarnesses[] = {
    {"design", FuzzDesign},       {"tagged_text", FuzzTaggedText}, {"browse_path", FuzzBrowsePath},
    {"play_list", FuzzPlayList},  {"xfile", FuzzXFile},            {"picture", FuzzPicture},
    {"cp950", FuzzCp950},         {"windows_path", FuzzWindowsPath}};

}  // namespace roamer::fuzz
