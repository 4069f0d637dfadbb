// SPDX-License-Identifier: GPL-3.0-or-later
// The label of the erasures-left counter: a small plate under the counters
// reading "ERASURES LEFT", behind the eraser's face and the count. Composed
// once, the first time a stage's erase mode shows, into an image of its own.
#pragma once

class ErasuresLabel {
public:
    // The plate's place on the screen; the eraser's face and the count are
    // drawn on its right end.
    static constexpr int kLeft = 468;
    static constexpr int kTop = 37;
    static constexpr int kRight = 634;
    static constexpr int kBottom = 64;
    // The plate's colour, under the text.
    static constexpr int kPlateR = 22, kPlateG = 26, kPlateB = 52;

    ErasuresLabel() = default;
    ~ErasuresLabel();
    ErasuresLabel(const ErasuresLabel&) = delete;
    ErasuresLabel& operator=(const ErasuresLabel&) = delete;

    // Draws the plate, composing it first if need be. Call outside any fade.
    void Draw();

private:
    void Compose();
    int image_ = -1;
};
