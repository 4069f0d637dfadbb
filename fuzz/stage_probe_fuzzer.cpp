// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up probe's par reader on arbitrary stage file bytes.
#include <cstdio>

#include "shell/stage_probe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!file) return 0;
    (void)ReadParValue(file);
    std::fclose(file);
    return 0;
}
