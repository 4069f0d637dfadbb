// SPDX-License-Identifier: GPL-3.0-or-later
// A figure on the board: walks in whole-cell steps and plays frame
// animations cut from one picture. It knows nothing of the board; the map
// scene decides what a step means.
#pragma once

#include "play/ct_point.h"

class Chara {
public:
    virtual ~Chara() = default;

    // Column, row and 16-pixel height level, looking ahead by `offset`.
    virtual int CellX();
    virtual int CellY();
    virtual int CellZ();
    // Unused hooks of the character interface; both answer 0.
    virtual int Reserved4(int value);
    virtual int Reserved5();
    // 1 when every bit of `bits` is in the input mask.
    virtual int AcceptsInput(int bits) = 0;
    virtual void SetMotion(int n);
    virtual int GetMotion();
    virtual void SetWait(int n);
    virtual int GetWait();
    // Starts a step from the newly pressed pad bits; 0 when none starts.
    virtual int BeginStep(int pressed) = 0;
    // Advances one frame: 0 idle, 1 waiting, 2 new frame, 3 a moving
    // animation ended. `rising` 1 lifts the figure 2 pixels.
    virtual int Tick(int rising, int unused) = 0;
    virtual void Draw() = 0;
    virtual int GetImageHandle(int unused) = 0;

    CTPoint position;    // top-left pixel of the cell at rest; z = height
    CTPoint offset;      // look-ahead used by the cell queries
    int width = 32;
    int height = 64;
    int drawOffset = 32;  // the picture is drawn this far above the position
    int inputMask = 7;
    int motion = 0;
    int frame = 0;
    int wait = 0;
    int image = -1;

protected:
    Chara() = default;
    Chara(const Chara&) = default;
    Chara& operator=(const Chara&) = default;
};
