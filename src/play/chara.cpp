// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/chara.h"

namespace {

// Cell index along one axis: a positive look-ahead rounds the far edge in
// with `reach` so a figure counts as entering a cell only once mostly inside.
int CellAlong(int pos, int delta, int size, int reach) {
    if (delta < 0) return (pos + delta) / size;
    if (delta > 0) return (pos + delta + reach) / size;
    return pos / size;
}

}  // namespace

int Chara::CellX() { return CellAlong(position.x, offset.x, 32, 24); }
int Chara::CellY() { return CellAlong(position.y, offset.y, 32, 24); }
int Chara::CellZ() { return CellAlong(position.z, offset.z, 16, 12); }
int Chara::Reserved4(int) { return 0; }
int Chara::Reserved5() { return 0; }
void Chara::SetMotion(int n) { motion = n; }
int Chara::GetMotion() { return motion; }
void Chara::SetWait(int n) { wait = n; }
int Chara::GetWait() { return wait; }
