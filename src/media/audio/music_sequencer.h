// SPDX-License-Identifier: GPL-3.0-or-later
// Plays a MidiPiece on a synthesizer, timed by the frames it renders (never
// by a clock), so playback is the same live and offline.
#pragma once

#include <memory>

#include "media/audio/midi_file.h"
#include "media/audio/midi_synth.h"

namespace media_detail {

class MusicSequencer {
public:
    // Resets the synthesizer and starts the piece at music time startTick
    // (768 ticks a quarter note): the controller and program settings before
    // that point are applied, notes before it are skipped. With `looping`
    // every pass after the first plays the whole piece from its beginning,
    // the next pass starting on the frame the last one ended.
    void Start(std::shared_ptr<const MidiPiece> piece, int startTick, bool looping,
               MidiSynth& synth);
    // Stops at once: every voice is cut.
    void Stop(MidiSynth& synth);

    bool Playing() const { return playing_; }
    const MidiPiece* Piece() const { return piece_.get(); }
    // Frames into the piece of the next frame to render.
    int64_t Position() const { return position_; }

    // Renders `frames` frames, sending each event on its own frame.
    void Render(MidiSynth& synth, float* interleaved, int frames);

private:
    void SendDueEvents(MidiSynth& synth);

    std::shared_ptr<const MidiPiece> piece_;
    size_t next_ = 0;
    int64_t position_ = 0;
    bool looping_ = false;
    bool playing_ = false;
};

}  // namespace media_detail
