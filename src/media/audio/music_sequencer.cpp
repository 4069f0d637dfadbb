// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/audio/music_sequencer.h"

#include <algorithm>
#include <cmath>

namespace media_detail {
namespace {

std::span<const uint8_t> SysexOf(const MidiPiece& piece, const MidiEvent& event) {
    if (event.status != 0xF0) return {};
    return std::span<const uint8_t>(piece.sysex).subspan(event.sysexOffset, event.sysexLength);
}

}  // namespace

void MusicSequencer::Start(std::shared_ptr<const MidiPiece> piece, int startTick, bool looping,
                           MidiSynth& synth) {
    synth.Reset();
    piece_ = std::move(piece);
    looping_ = looping && piece_->endFrame > 0;  // an empty piece cannot repeat
    playing_ = true;
    next_ = 0;

    const double startAt = piece_->FileTickOfMusicTime(startTick);
    const auto& events = piece_->events;
    // Bring the channels to the state they have at the start point.
    while (next_ < events.size() && static_cast<double>(events[next_].tick) < startAt) {
        if (!events[next_].IsNote()) synth.Send(events[next_], SysexOf(*piece_, events[next_]));
        ++next_;
    }
    position_ = std::min<int64_t>(std::llround(piece_->FrameAtTick(startAt)), piece_->endFrame);
}

void MusicSequencer::Stop(MidiSynth& synth) {
    if (playing_) synth.Reset();
    playing_ = false;
}

void MusicSequencer::SendDueEvents(MidiSynth& synth) {
    const auto& events = piece_->events;
    for (;;) {
        while (next_ < events.size() && events[next_].frame <= position_) {
            synth.Send(events[next_], SysexOf(*piece_, events[next_]));
            ++next_;
        }
        if (position_ < piece_->endFrame) return;
        if (!looping_) {
            playing_ = false;
            return;
        }
        position_ = 0;  // the next pass starts on this very frame
        next_ = 0;
    }
}

void MusicSequencer::Render(MidiSynth& synth, float* interleaved, int frames) {
    int done = 0;
    while (done < frames) {
        int run = frames - done;
        if (playing_) {
            SendDueEvents(synth);
            if (playing_) {
                int64_t until = piece_->endFrame;
                if (next_ < piece_->events.size()) until = std::min(until, piece_->events[next_].frame);
                run = static_cast<int>(std::min<int64_t>(run, until - position_));
            }
        }
        synth.Render(interleaved + done * 2, run);
        if (playing_) position_ += run;
        done += run;
    }
}

}  // namespace media_detail

