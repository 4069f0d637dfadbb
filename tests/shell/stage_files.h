// SPDX-License-Identifier: GPL-3.0-or-later
// Stage files as the start-up probe sees them: a 9-byte header, then the
// first property's name and value as length-prefixed UTF-16LE text.
#pragma once

#include <string>
#include <vector>

inline std::vector<unsigned char> StageWithPar(const std::string& value, const std::string& name = "par") {
    std::vector<unsigned char> bytes = {0x53, 0x54, 0x47, 1, 0, 20, 15, 0, 1};
    auto text = [&](const std::string& s) {
        bytes.push_back(static_cast<unsigned char>(s.size()));
        for (char c : s) {
            bytes.push_back(static_cast<unsigned char>(c));
            bytes.push_back(0);
        }
    };
    text(name);
    text(value);
    return bytes;
}
