// SPDX-License-Identifier: GPL-3.0-or-later
// What the music sequencer drives: a General MIDI synthesizer that takes
// events and renders stereo frames.
#pragma once

#include <cstdint>
#include <span>

#include "media/audio/midi_file.h"

namespace media_detail {

class MidiSynth {
public:
    virtual ~MidiSynth() = default;

    // Sends one channel or system exclusive event (sysex holds its body).
    virtual void Send(const MidiEvent& event, std::span<const uint8_t> sysex) = 0;
    // Writes (not adds) `frames` interleaved stereo frames in -1..1.
    virtual void Render(float* interleaved, int frames) = 0;
    // Silences every voice at once and returns every channel to its defaults.
    virtual void Reset() = 0;
    // True while some voice still sounds (a released note, a reverb tail).
    virtual bool Sounding() const = 0;
};

}  // namespace media_detail
