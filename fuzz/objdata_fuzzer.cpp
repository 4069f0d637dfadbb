// SPDX-License-Identifier: GPL-3.0-or-later
// ObjData reader: never crashes on any bytes, and what it reads whole is
// written back byte for byte.
#include "editor/obj_data.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const objdata::ParsedObjData parsed = objdata::ParseObjData(std::span(data, size));
    if (parsed.bytesUsed > size || parsed.data.objects.size() > objdata::kMaxObjects) {
        std::abort();
    }
    const objdata::SerializedObjData written = objdata::SerializeObjData(parsed.data);
    if (written.error != objdata::WriteError::None) {
        std::abort();
    }
    if (parsed.end == objdata::ReadEnd::Complete) {
        // Same bytes after the signature, which is always written as "KOB".
        if (written.bytes.size() != parsed.bytesUsed ||
            std::memcmp(written.bytes.data() + 3, data + 3, parsed.bytesUsed - 3) != 0) {
            std::abort();
        }
    }
    const objdata::ParsedObjData again = objdata::ParseObjData(written.bytes);
    if (again.data.objects != parsed.data.objects || again.data.pictureName != parsed.data.pictureName) {
        std::abort();
    }
    return 0;
}
