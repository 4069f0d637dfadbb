// SPDX-License-Identifier: GPL-3.0-or-later
#include "sfxgen/sfx_synth.h"

#include <algorithm>
#include <cmath>

namespace sfx {

namespace {

constexpr double kTwoPi = 6.283185307179586;

// Band-limited step and ramp residuals (polyBLEP, polyBLAMP): added at a
// waveform's jumps and corners, they take out the harmonics above half the
// sample rate that would otherwise fold back as inharmonic whistles. `t` is
// the phase since the discontinuity (0..1), `dt` the phase step per sample.
double PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double PolyBlamp(double t, double dt) {
    if (t < dt) {
        t = t / dt - 1.0;
        return -t * t * t / 3.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt + 1.0;
        return t * t * t / 3.0;
    }
    return 0.0;
}

double Wrapped(double phase) { return phase - std::floor(phase); }

// One sample of a periodic wave at the phase, without aliasing and without
// an offset: a square of any duty swings about zero.
double Oscillator(Wave wave, double phase, double dt, double duty) {
    switch (wave) {
        case Wave::Square: {
            double s = phase < duty ? 1.0 : -1.0;
            s += PolyBlep(phase, dt) - PolyBlep(Wrapped(phase - duty), dt);
            return s - (2.0 * duty - 1.0);
        }
        case Wave::Saw: return 2.0 * phase - 1.0 - PolyBlep(phase, dt);
        case Wave::Triangle: {
            double s = phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
            return s + 4.0 * dt * (PolyBlamp(phase, dt) - PolyBlamp(Wrapped(phase - 0.5), dt));
        }
        case Wave::Sine:
        case Wave::Noise: break;
    }
    return std::sin(kTwoPi * phase);
}

// Takes the sound's mean out under a raised-cosine window spanning what is
// heard, so no offset is left, no step appears at either end and silence
// before a late voice stays silent.
void RemoveMean(std::vector<float>& samples) {
    const auto heard = [](float s) { return s != 0.0f; };
    const auto first = std::find_if(samples.begin(), samples.end(), heard);
    if (first == samples.end()) return;
    const auto last = std::find_if(samples.rbegin(), samples.rend(), heard).base();
    const auto span = static_cast<size_t>(last - first);
    if (span < 3) return;
    double sum = 0.0;
    for (auto it = first; it != last; ++it) sum += *it;
    const double n = static_cast<double>(span);
    // The window's own sum is (n - 1) / 2.
    const double scale = 2.0 * sum / (n - 1);
    for (size_t i = 0; i < span; ++i) {
        const double w = 0.5 - 0.5 * std::cos(kTwoPi * static_cast<double>(i) / (n - 1));
        first[static_cast<std::ptrdiff_t>(i)] -= static_cast<float>(scale * w);
    }
}

double Envelope(const Voice& v, double t) {
    if (t < v.attack) return t / v.attack;
    t -= v.attack;
    if (t < v.sustain) return 1.0 + v.punch * (1.0 - t / v.sustain);
    t -= v.sustain;
    if (t < v.decay) return 1.0 - t / v.decay;
    return 0.0;
}

void RenderVoice(const Voice& v, std::vector<float>& out) {
    const double length = v.attack + v.sustain + v.decay;
    const auto first = static_cast<size_t>(v.start * kSampleRate);
    const auto count = static_cast<size_t>(length * kSampleRate);
    if (out.size() < first + count) out.resize(first + count, 0.0f);
    uint32_t noise = v.seed ? v.seed : 1;
    double phase = 0.0, noiseValue = 0.0, low = 0.0, high = 0.0, previous = 0.0;
    for (size_t i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double tp = v.repeatEvery > 0 ? std::fmod(t, v.repeatEvery) : t;
        double octaves = v.slide * tp + 0.5 * v.slideAccel * tp * tp;
        double freq = v.frequency * std::exp2(octaves);
        if (v.arpeggioTime > 0 && tp >= v.arpeggioTime) freq *= v.arpeggioFactor;
        if (v.vibratoDepth > 0) freq *= std::exp2(v.vibratoDepth / 12.0 * std::sin(kTwoPi * v.vibratoRate * t));
        // Below the floor, or beyond what the sample rate can carry (a steep
        // slide over a long sound), the voice ends.
        if (freq < v.minFrequency || !std::isfinite(freq) || freq > kSampleRate / 2) break;
        double before = phase;
        phase += freq / kSampleRate;
        phase -= std::floor(phase);
        double duty = std::clamp(v.duty + v.dutySweep * t, 0.05, 0.95);
        double s = 0.0;
        if (v.wave == Wave::Noise) {
            // A new random value every half period gives noise a pitch.
            if (phase < before || std::fmod(phase, 0.5) < std::fmod(before, 0.5)) {
                noise ^= noise << 13;
                noise ^= noise >> 17;
                noise ^= noise << 5;
                noiseValue = (noise & 0xFFFF) / 32767.5 - 1.0;
            }
            s = noiseValue;
        } else {
            s = Oscillator(v.wave, phase, freq / kSampleRate, duty);
        }
        if (v.lowpass > 0) {
            double cutoff = std::min(v.lowpass * std::exp2(v.lowpassSweep * t), 20000.0);
            double k = 1.0 - std::exp(-kTwoPi * cutoff / kSampleRate);
            low += (s - low) * k;
            s = low;
        }
        if (v.highpass > 0) {
            double k = std::exp(-kTwoPi * v.highpass / kSampleRate);
            high = k * (high + s - previous);
            previous = s;
            s = high;
        }
        out[first + i] += static_cast<float>(s * Envelope(v, t) * v.volume);
    }
}

}  // namespace

std::vector<float> Render(const Effect& effect) {
    std::vector<float> out;
    for (const Voice& v : effect.voices) RenderVoice(v, out);
    for (float& s : out) s *= static_cast<float>(effect.gain);
    // Short fades at both ends: no step from or to silence can click.
    // The fades may overlap on a very short sound; both apply.
    const size_t fadeIn = std::min<size_t>(out.size(), kSampleRate / 500);
    const size_t fadeOut = std::min<size_t>(out.size(), kSampleRate / 200);
    for (size_t i = 0; i < fadeIn; ++i) out[i] *= static_cast<float>(i) / fadeIn;
    for (size_t i = 0; i < fadeOut; ++i) out[out.size() - 1 - i] *= static_cast<float>(i) / fadeOut;
    RemoveMean(out);
    return out;
}

std::vector<int16_t> ToPcm16(const std::vector<float>& samples) {
    std::vector<int16_t> pcm(samples.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        double s = std::tanh(samples[i] * 1.1) / std::tanh(1.1);  // gentle limiter
        pcm[i] = static_cast<int16_t>(std::lround(std::clamp(s, -1.0, 1.0) * 32767.0));
    }
    return pcm;
}

}  // namespace sfx
