// SPDX-License-Identifier: GPL-3.0-or-later
// The readable description of a sound effect: one or more voices, each a
// waveform with its pitch movement, envelope and filters.
//
// File format: "key = value" lines; '#' starts a comment; a line "[voice]"
// starts another voice (the keys before the first one belong to the first
// voice). Times are in seconds, frequencies in hertz, pitch movement in
// octaves per second.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sfx {

enum class Wave { Square, Saw, Sine, Triangle, Noise };

struct Voice {
    Wave wave = Wave::Square;
    double start = 0.0;         // when the voice begins
    double frequency = 440.0;   // starting pitch
    double slide = 0.0;         // pitch movement, octaves per second
    double slideAccel = 0.0;    // change of that movement per second
    double minFrequency = 20.0; // the voice stops when the pitch falls below
    double vibratoDepth = 0.0;  // in semitones
    double vibratoRate = 0.0;
    double arpeggioTime = 0.0;  // when the pitch jumps (0 = never)
    double arpeggioFactor = 1.0;
    double repeatEvery = 0.0;   // restarts the pitch movement (0 = never)
    double duty = 0.5;          // square waves: share of the period that is high
    double dutySweep = 0.0;     // per second
    double attack = 0.005;
    double sustain = 0.05;
    double punch = 0.0;         // extra loudness at the start of the sustain
    double decay = 0.1;
    double lowpass = 0.0;       // cut-off; 0 = open
    double lowpassSweep = 0.0;  // octaves per second
    double highpass = 0.0;      // cut-off; 0 = none
    double volume = 0.5;
    uint32_t seed = 1;          // noise
};

struct Effect {
    std::vector<Voice> voices;
    double gain = 1.0;  // of the whole mix
};

// Parses a description; on failure returns nothing and sets the error text
// (with the line number).
std::optional<Effect> ParseEffect(const std::string& text, std::string& error);

}  // namespace sfx
