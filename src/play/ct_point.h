// SPDX-License-Identifier: GPL-3.0-or-later
// A three-component integer point for character positions and movement.
#pragma once

#include <cstdint>

class CTPoint {
public:
    CTPoint() = default;
    CTPoint(int32_t px, int32_t py, int32_t pz) : x(px), y(py), z(pz) {}
    CTPoint(const CTPoint&) = default;
    CTPoint& operator=(const CTPoint&) = default;
    virtual ~CTPoint() = default;

    bool operator==(const CTPoint& other) const {
        return x == other.x && y == other.y && z == other.z;
    }

    int32_t x = 0;
    int32_t y = 0;
    int32_t z = 0;  // height above the floor in pixels
};
