// SPDX-License-Identifier: GPL-3.0-or-later
#include "sfxgen/sfx_params.h"

#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>

namespace sfx {

namespace {

std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

bool ParseNumber(const std::string& text, double& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return end && *end == '\0';
}

bool ParseWave(const std::string& text, Wave& out) {
    static const std::map<std::string, Wave> names = {{"square", Wave::Square}, {"saw", Wave::Saw},
                                                      {"sine", Wave::Sine},     {"triangle", Wave::Triangle},
                                                      {"noise", Wave::Noise}};
    auto it = names.find(text);
    if (it == names.end()) return false;
    out = it->second;
    return true;
}

using Setter = std::function<bool(Voice&, double)>;

const std::map<std::string, Setter>& NumericKeys() {
    auto in = [](double Voice::*field, double lo, double hi) {
        return Setter([=](Voice& v, double x) {
            if (x < lo || x > hi) return false;
            v.*field = x;
            return true;
        });
    };
    static const std::map<std::string, Setter> keys = {
        {"start", in(&Voice::start, 0, 10)},
        {"frequency", in(&Voice::frequency, 1, 20000)},
        {"slide", in(&Voice::slide, -100, 100)},
        {"slide_accel", in(&Voice::slideAccel, -1000, 1000)},
        {"min_frequency", in(&Voice::minFrequency, 0, 20000)},
        {"vibrato_depth", in(&Voice::vibratoDepth, 0, 24)},
        {"vibrato_rate", in(&Voice::vibratoRate, 0, 200)},
        {"arpeggio_time", in(&Voice::arpeggioTime, 0, 10)},
        {"arpeggio_factor", in(&Voice::arpeggioFactor, 0.05, 20)},
        {"repeat_every", in(&Voice::repeatEvery, 0, 10)},
        {"duty", in(&Voice::duty, 0.01, 0.99)},
        {"duty_sweep", in(&Voice::dutySweep, -10, 10)},
        {"attack", in(&Voice::attack, 0, 10)},
        {"sustain", in(&Voice::sustain, 0, 10)},
        {"punch", in(&Voice::punch, 0, 4)},
        {"decay", in(&Voice::decay, 0, 10)},
        {"lowpass", in(&Voice::lowpass, 0, 22000)},
        {"lowpass_sweep", in(&Voice::lowpassSweep, -100, 100)},
        {"highpass", in(&Voice::highpass, 0, 22000)},
        {"volume", in(&Voice::volume, 0, 1)},
        {"seed", Setter([](Voice& v, double x) {
             if (x < 0 || x > 4294967295.0) return false;
             v.seed = static_cast<uint32_t>(x);
             return true;
         })},
    };
    return keys;
}

}  // namespace

std::optional<Effect> ParseEffect(const std::string& text, std::string& error) {
    Effect effect;
    effect.voices.emplace_back();
    bool firstVoiceUsed = false;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& why) {
        error = "line " + std::to_string(number) + ": " + why;
        return std::nullopt;
    };
    while (std::getline(in, line)) {
        ++number;
        if (size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        line = Trim(line);
        if (line.empty()) continue;
        if (line == "[voice]") {
            if (firstVoiceUsed) effect.voices.emplace_back();
            firstVoiceUsed = true;
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos) return fail("expected key = value");
        std::string key = Trim(line.substr(0, eq)), value = Trim(line.substr(eq + 1));
        firstVoiceUsed = true;
        Voice& voice = effect.voices.back();
        if (key == "wave") {
            if (!ParseWave(value, voice.wave)) return fail("unknown wave '" + value + "'");
            continue;
        }
        double x = 0;
        if (!ParseNumber(value, x)) return fail("'" + value + "' is not a number");
        if (key == "gain") {
            if (x < 0 || x > 4) return fail("gain out of range");
            effect.gain = x;
            continue;
        }
        auto it = NumericKeys().find(key);
        if (it == NumericKeys().end()) return fail("unknown key '" + key + "'");
        if (!it->second(voice, x)) return fail(key + " out of range");
    }
    return effect;
}

}  // namespace sfx
