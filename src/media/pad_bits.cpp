// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/pad_bits.h"

#include <algorithm>
#include <utility>

#include "media/media.h"

namespace media_detail {

namespace {

constexpr int kTravel = 10000;    // the axis range in 1/10000 of full travel
constexpr int kDeadZone = 2500;   // 25 %

struct KeySource {
    int key;
    uint32_t bit;
};

constexpr KeySource kKeyTable[] = {
    {KEY_DOWN, PAD_DOWN},       {KEY_NUMPAD2, PAD_DOWN},  {KEY_LEFT, PAD_LEFT},
    {KEY_NUMPAD4, PAD_LEFT},    {KEY_RIGHT, PAD_RIGHT},   {KEY_NUMPAD6, PAD_RIGHT},
    {KEY_UP, PAD_UP},           {KEY_NUMPAD8, PAD_UP},    {KEY_Z, PAD_BUTTON1},
    {KEY_X, PAD_BUTTON2},       {KEY_C, PAD_BUTTON3},     {KEY_A, PAD_BUTTON4},
    {KEY_S, PAD_BUTTON5},       {KEY_D, PAD_BUTTON6},     {KEY_H, PAD_BUTTON6},
    {KEY_Q, PAD_BUTTON7},
    {KEY_W, PAD_BUTTON8},       {KEY_ESCAPE, PAD_BUTTON9}, {KEY_SPACE, PAD_BUTTON10},
};

}  // namespace

int ScaleAxis(int raw) {
    raw = std::clamp(raw, -32768, 32767);
    // -32768..32767 onto -10000..10000, symmetric about the centre.
    const int scaled = raw < 0 ? raw * kTravel / 32768 : raw * kTravel / 32767;
    const int magnitude = scaled < 0 ? -scaled : scaled;
    if (magnitude < kDeadZone) return 0;
    const int beyond = (magnitude - kDeadZone) * 1000 / (kTravel - kDeadZone);
    // Just past the edge of the dead zone still counts as a direction.
    const int value = std::max(beyond, 1);
    return scaled < 0 ? -value : value;
}

uint32_t KeyboardPadBits(const KeyboardState& keys) {
    auto held = [&keys](int key) { return (keys[key] & 0x80) != 0; };
    uint32_t bits = 0;
    for (const KeySource& source : kKeyTable)
        if (held(source.key)) bits |= source.bit;
    // U and Backspace are the usual undo keys; with Shift they redo.
    if (held(KEY_U) || held(KEY_BACKSPACE)) {
        const bool shift = held(KEY_LSHIFT) || held(KEY_RSHIFT);
        bits |= shift ? PAD_BUTTON5 : PAD_BUTTON4;
    }
    return bits;
}

uint32_t PadReadingBits(const PadReading& pad) {
    uint32_t bits = 0;
    const int x = ScaleAxis(pad.x);
    const int y = ScaleAxis(pad.y);
    if (x < 0) bits |= PAD_LEFT;
    if (x > 0) bits |= PAD_RIGHT;
    if (y < 0) bits |= PAD_UP;
    if (y > 0) bits |= PAD_DOWN;
    for (int n = 1; n <= 24; ++n)
        if (pad.buttons & (1u << (n - 1))) bits |= 1u << (n + 3);
    return bits;
}

}  // namespace media_detail
