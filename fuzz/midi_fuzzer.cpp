// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the MIDI reader, then plays whatever it accepts
// through the sequencer (from music tick 3000, repeating) on a synthesizer
// that checks the events it is sent.
#include <cstdlib>
#include <memory>
#include <vector>

#include "media/audio/midi_file.h"
#include "media/audio/music_sequencer.h"

namespace {

class CheckingSynth final : public media_detail::MidiSynth {
public:
    explicit CheckingSynth(const media_detail::MidiPiece& piece) : piece_(piece) {}
    void Send(const media_detail::MidiEvent& e, std::span<const uint8_t> sysex) override {
        if (e.status < 0x80 || (e.data1 | e.data2) & 0x80) std::abort();
        if (e.status == 0xF0 && sysex.size() != e.sysexLength) std::abort();
        if (e.frame > piece_.endFrame) std::abort();
    }
    void Render(float* out, int frames) override {
        if (frames <= 0) std::abort();
        std::fill(out, out + 2 * frames, 0.0f);
    }
    void Reset() override {}
    bool Sounding() const override { return false; }

private:
    const media_detail::MidiPiece& piece_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > media_detail::kMaxMidiFileBytes) return 0;
    auto parsed = media_detail::ParseMidiFile(std::span(data, size));
    if (!parsed) return 0;
    auto piece = std::make_shared<const media_detail::MidiPiece>(std::move(*parsed));
    for (size_t i = 1; i < piece->events.size(); ++i)
        if (piece->events[i].frame < piece->events[i - 1].frame) std::abort();

    CheckingSynth synth(*piece);
    media_detail::MusicSequencer sequencer;
    sequencer.Start(piece, 3000, true, synth);
    std::vector<float> buffer(2 * 4096);
    for (int block = 0; block < 8; ++block) {
        sequencer.Render(synth, buffer.data(), 4096);
        if (sequencer.Playing() && (sequencer.Position() < 0 || sequencer.Position() > piece->endFrame))
            std::abort();
    }
    return 0;
}
