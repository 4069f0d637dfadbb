// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/audio/fluid_gm_synth.h"

#include <fluidsynth.h>

#include "media/audio/audio_format.h"

namespace media_detail {
namespace {

// The media layer never writes messages of its own; FluidSynth's would go
// to stderr.
void SilenceFluidLog() {
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid_set_log_function(level, nullptr, nullptr);
}

constexpr int kChannels = 64;

class FluidGmSynth final : public MidiSynth {
public:
    FluidGmSynth(fluid_settings_t* settings, fluid_synth_t* synth)
        : settings_(settings), synth_(synth) {}
    ~FluidGmSynth() override {
        delete_fluid_synth(synth_);
        delete_fluid_settings(settings_);
    }
    FluidGmSynth(const FluidGmSynth&) = delete;
    FluidGmSynth& operator=(const FluidGmSynth&) = delete;

    void Send(const MidiEvent& e, std::span<const uint8_t> sysex) override {
        const int channel = e.status & 0x0F;
        switch (e.status & 0xF0) {
            case 0x80: fluid_synth_noteoff(synth_, channel, e.data1); break;
            case 0x90: fluid_synth_noteon(synth_, channel, e.data1, e.data2); break;
            case 0xA0: fluid_synth_key_pressure(synth_, channel, e.data1, e.data2); break;
            case 0xB0: fluid_synth_cc(synth_, channel, e.data1, e.data2); break;
            case 0xC0: fluid_synth_program_change(synth_, channel, e.data1); break;
            case 0xD0: fluid_synth_channel_pressure(synth_, channel, e.data1); break;
            case 0xE0: fluid_synth_pitch_bend(synth_, channel, e.data1 | e.data2 << 7); break;
            case 0xF0:
                if (!sysex.empty()) {
                    fluid_synth_sysex(synth_, reinterpret_cast<const char*>(sysex.data()),
                                      static_cast<int>(sysex.size()), nullptr, nullptr, nullptr, 0);
                }
                break;
            default: break;
        }
    }

    void Render(float* interleaved, int frames) override {
        if (frames > 0)
            fluid_synth_write_float(synth_, frames, interleaved, 0, 2, interleaved, 1, 2);
    }

    // fluid_synth_system_reset would do, but in FluidSynth 2.3 voices that
    // sound while it runs go on sounding; so: cut every voice, then return
    // each channel to the General MIDI defaults by hand.
    void Reset() override {
        fluid_synth_all_sounds_off(synth_, -1);
        for (int channel = 0; channel < kChannels; ++channel) {
            fluid_synth_cc(synth_, channel, 121, 0);  // reset all controllers
            fluid_synth_cc(synth_, channel, 7, 100);  // volume
            fluid_synth_cc(synth_, channel, 10, 64);  // pan
            fluid_synth_cc(synth_, channel, 91, 0);   // reverb send
            fluid_synth_cc(synth_, channel, 93, 0);   // chorus send
            fluid_synth_bank_select(synth_, channel, channel % 16 == 9 ? 128 : 0);
            fluid_synth_program_change(synth_, channel, 0);
        }
    }

    bool Sounding() const override { return fluid_synth_get_active_voice_count(synth_) > 0; }

private:
    fluid_settings_t* settings_;
    fluid_synth_t* synth_;
};

}  // namespace

std::unique_ptr<MidiSynth> MakeFluidSynth(const std::string& soundFontPath) {
    SilenceFluidLog();
    fluid_settings_t* settings = new_fluid_settings();
    if (settings == nullptr) return nullptr;
    fluid_settings_setnum(settings, "synth.sample-rate", kMixRate);
    fluid_settings_setint(settings, "synth.midi-channels", kChannels);
    // FluidSynth's default gain of 0.2 left the game's pieces 25 dB below its
    // sound effects; 0.9 puts the loudest piece's peaks near -6 dBFS at the
    // game's music volume of 240.
    fluid_settings_setnum(settings, "synth.gain", 0.9);
    fluid_settings_setint(settings, "synth.reverb.active", 1);
    fluid_settings_setint(settings, "synth.chorus.active", 1);
    // Our own lock serialises every call, and one core keeps renders repeatable.
    fluid_settings_setint(settings, "synth.threadsafe-api", 0);
    fluid_settings_setint(settings, "synth.cpu-cores", 1);
    fluid_synth_t* synth = new_fluid_synth(settings);
    if (synth == nullptr) {
        delete_fluid_settings(settings);
        return nullptr;
    }
    if (!soundFontPath.empty()) fluid_synth_sfload(synth, soundFontPath.c_str(), 1);
    return std::make_unique<FluidGmSynth>(settings, synth);
}

}  // namespace media_detail
