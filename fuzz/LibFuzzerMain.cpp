// SPDX-License-Identifier: GPL-3.0-or-later
// The libFuzzer entry of one target; KELTO_FUZZ_ENTRY names its function.
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return kelto::fuzz::KELTO_FUZZ_ENTRY(data, size);
}
