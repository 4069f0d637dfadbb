// SPDX-License-Identifier: GPL-3.0-or-later
#include "mml2mid/song.h"

#include <algorithm>

namespace mml {

double SecondsAt(const Song& song, uint32_t tick) {
    std::vector<std::pair<uint32_t, uint32_t>> tempos;  // tick, microseconds per quarter
    for (const Event& e : song.conductor)
        if (e.bytes.size() == 6 && e.bytes[0] == 0xFF && e.bytes[1] == 0x51)
            tempos.emplace_back(e.tick, (e.bytes[3] << 16) | (e.bytes[4] << 8) | e.bytes[5]);
    std::stable_sort(tempos.begin(), tempos.end(), [](auto& a, auto& b) { return a.first < b.first; });
    double seconds = 0;
    uint32_t at = 0, usPerQuarter = 500000;
    for (auto [t, us] : tempos) {
        if (t >= tick) break;
        seconds += static_cast<double>(t - at) * usPerQuarter / kTicksPerQuarter / 1e6;
        at = t;
        usPerQuarter = us;
    }
    return seconds + static_cast<double>(tick - at) * usPerQuarter / kTicksPerQuarter / 1e6;
}

}  // namespace mml
