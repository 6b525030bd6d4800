// libFuzzer's entry: every input is one session of the window models.
#include "fuzz/session.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tavrol::fuzz::playInput(data, size, tavrol::fuzz::kFuzzBudget);
    return 0;
}
