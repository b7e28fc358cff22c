// The libFuzzer entry of one target; ROAMER_FUZZ_HARNESS names its function.
#include "harness/harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!roamer::fuzz::ROAMER_FUZZ_HARNESS(data, size)) __builtin_trap();
    return 0;
}
