// SPDX-License-Identifier: GPL-3.0-or-later
// The General MIDI synthesizer behind the music: FluidSynth with a soundfont.
#pragma once

#include <memory>
#include <string>

#include "media/audio/midi_synth.h"

namespace media_detail {

// Creates FluidSynth at 44100 Hz with 64 MIDI channels, reverb and chorus,
// loading the soundfont at `soundFontPath`. Without a soundfont (empty or
// unloadable path) the synthesizer still works but stays silent. Nothing
// when FluidSynth itself cannot be created.
std::unique_ptr<MidiSynth> MakeFluidSynth(const std::string& soundFontPath);

}  // namespace media_detail
