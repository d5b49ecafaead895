// The libFuzzer entry of one target; BRELVAN_FUZZ_ENTRY names it (see fuzz/CMakeLists.txt).
#include "fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return BRELVAN_FUZZ_ENTRY(data, size);
}
