// SPDX-License-Identifier: GPL-3.0-or-later
// The playType argument of PlaySound, PlaySoundFile and PlayMusic, named once
// for every scene.
#pragma once

constexpr int kPlayWaiting = 0;     // returns when the sound has finished
constexpr int kPlayBackground = 1;  // returns at once
constexpr int kPlayLooping = 3;     // repeats until stopped
