// SPDX-License-Identifier: GPL-3.0-or-later
// The audio half of the media layer while it runs: sounds, music, the
// synthesizer and the mixer that makes one output stream of them.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "media/audio/midi_file.h"
#include "media/audio/midi_synth.h"
#include "media/audio/music_sequencer.h"
#include "media/audio/sound.h"
#include "media/handle_table.h"

namespace media_detail {

// A loaded piece of music.
struct Music {
    std::shared_ptr<const MidiPiece> piece;
    uint32_t startTimeMs = 0;  // media clock at the last start
};

// Lives from AudioInit to AudioShutdown. The output device's thread mixes
// while the game's thread starts and stops things: every member is guarded
// by `lock`.
class AudioSystem {
public:
    // Mixes the next `frames` frames of everything that plays into `out`
    // (interleaved 16-bit stereo). Takes the lock.
    void Render(int16_t* out, int frames);

    // Stops and frees every sound and piece of music and restores the
    // default settings, as a restart of the audio system does.
    void ResetAll();

    // Makes the synthesizer and loads the soundfont, once; the slow part of
    // starting (a tenth of a second), done without the lock so the sound
    // effects play on meanwhile.
    void EnsureSynth();

    // The music that plays now, or -1.
    int PlayingMusic() const { return sequencer.Playing() ? lastMusic : -1; }
    void StopMusicNow();

    std::mutex lock;
    HandleTable<Sound> sounds{HandleKind::Sound, kSoundSlots};
    HandleTable<Music> music{HandleKind::Music, kMusicSlots};
    // Null until EnsureSynth, and when FluidSynth could not start.
    std::unique_ptr<MidiSynth> synth;
    MusicSequencer sequencer;
    int midiMode = 0;
    int initialLevel = 0;   // master level at start, hundredths of a decibel
    float musicGain = 1.0f;
    int lastMusic = -1;     // the music played last
    int fileSound = -1;     // the sound PlaySoundFile played last

private:
    void RenderMusic(int frames);

    bool synthTried_ = false;
    std::vector<float> mix_;
    std::vector<float> music_;
    int64_t quietMusicFrames_ = 0;
};

// The running audio system, or null when there is no audio (no device, the
// dummy driver, or the layer is not started).
AudioSystem* ActiveAudio();

// Frees the sounds loaded while no output device ran.
void ForgetUnheardSounds();

}  // namespace media_detail
