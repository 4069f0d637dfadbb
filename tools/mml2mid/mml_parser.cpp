// SPDX-License-Identifier: GPL-3.0-or-later
#include "mml2mid/mml_parser.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <sstream>
#include <stdexcept>

namespace mml {

namespace {

constexpr uint32_t kWhole = 4 * kTicksPerQuarter;
constexpr int kMaxMacroDepth = 16;
constexpr size_t kMaxExpandedSize = 4 << 20;  // guards against runaway repeats

struct ScoreError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

// Macro names are letters and '_' only, so "$chord4" is the macro "chord" and
// the length 4.
bool IsNameChar(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }

std::string ExpandMacros(const std::string& text, const std::map<std::string, std::string>& macros, int depth) {
    if (depth > kMaxMacroDepth) throw ScoreError("macros nested too deeply");
    std::string out;
    for (size_t i = 0; i < text.size();) {
        if (text[i] != '$') {
            out += text[i++];
            continue;
        }
        size_t j = i + 1;
        while (j < text.size() && IsNameChar(text[j])) ++j;
        std::string name = text.substr(i + 1, j - i - 1);
        auto it = macros.find(name);
        if (it == macros.end()) throw ScoreError("unknown macro $" + name);
        out += ExpandMacros(it->second, macros, depth + 1);
        if (out.size() > kMaxExpandedSize) throw ScoreError("score too long");
        i = j;
    }
    return out;
}

int ReadCount(const std::string& s, size_t& i, int fallback) {
    if (i >= s.size() || !std::isdigit(static_cast<unsigned char>(s[i]))) return fallback;
    int n = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        n = n * 10 + (s[i++] - '0');
        if (n > 100000) throw ScoreError("number too large");
    }
    return n;
}

// Writes out [body]n repeats; ':' in a body marks where the last pass stops.
std::string ExpandRepeats(const std::string& s, size_t& i, bool nested) {
    std::string out;
    while (i < s.size()) {
        char c = s[i];
        if (c == '[') {
            ++i;
            std::string body = ExpandRepeats(s, i, true);
            if (i >= s.size() || s[i] != ']') throw ScoreError("'[' without ']'");
            ++i;
            int times = ReadCount(s, i, 2);
            if (times < 1) throw ScoreError("repeat count must be at least 1");
            size_t colon = body.find(':');
            std::string full = body, last = body;
            if (colon != std::string::npos) {
                full.erase(colon, 1);
                last = body.substr(0, colon);
            }
            for (int k = 0; k < times; ++k) {
                out += (k + 1 == times) ? last : full;
                if (out.size() > kMaxExpandedSize) throw ScoreError("score too long");
            }
        } else if (c == ']') {
            if (!nested) throw ScoreError("']' without '['");
            return out;
        } else {
            out += c;
            ++i;
        }
    }
    if (nested) throw ScoreError("'[' without ']'");
    return out;
}

struct TrackState {
    Track track;
    uint32_t tick = 0;
    int octave = 4;
    uint32_t length = kTicksPerQuarter;
    int gate = 7;
    int velocity = 96;
    int transpose = 0;
    // Notes sounding from the last note command, kept open so '&' can extend them.
    struct Open {
        int key;
        uint32_t start;
        uint32_t end;
    };
    std::vector<Open> open;
    bool tie = false;
};

void Emit(TrackState& st, uint32_t tick, std::vector<uint8_t> bytes, int order) {
    st.track.events.push_back({tick, std::move(bytes), order});
}

void FlushOpen(TrackState& st) {
    auto ch = static_cast<uint8_t>(st.track.channel);
    for (const auto& n : st.open) {
        uint32_t len = n.end - n.start;
        uint32_t sounding = std::max<uint32_t>(1, st.gate >= 8 ? len : len * st.gate / 8);
        Emit(st, n.start, {static_cast<uint8_t>(0x90 | ch), static_cast<uint8_t>(n.key), static_cast<uint8_t>(st.velocity)}, 2);
        Emit(st, n.start + sounding, {static_cast<uint8_t>(0x80 | ch), static_cast<uint8_t>(n.key), 0}, 0);
    }
    st.open.clear();
}

class LineParser {
public:
    LineParser(const std::string& text, TrackState& st, Song& song) : s_(text), st_(st), song_(song) {}

    void Run() {
        while (i_ < s_.size()) Command();
    }

private:
    const std::string& s_;
    size_t i_ = 0;
    TrackState& st_;
    Song& song_;

    char Peek() const { return i_ < s_.size() ? s_[i_] : '\0'; }

    int Number(const char* what, int lo, int hi) {
        bool negative = false;
        if (Peek() == '-') {
            negative = true;
            ++i_;
        }
        if (!std::isdigit(static_cast<unsigned char>(Peek()))) throw ScoreError(std::string("number expected after ") + what);
        int n = ReadCount(s_, i_, 0) * (negative ? -1 : 1);
        if (n < lo || n > hi)
            throw ScoreError(std::string(what) + " " + std::to_string(n) + " out of range " + std::to_string(lo) + ".." +
                             std::to_string(hi));
        return n;
    }

    uint32_t LengthValue(int divisor) {
        if (divisor <= 0 || kWhole % divisor != 0) throw ScoreError("length " + std::to_string(divisor) + " not allowed");
        uint32_t len = kWhole / divisor, add = len;
        while (Peek() == '.') {
            ++i_;
            add /= 2;
            len += add;
        }
        return len;
    }

    // An optional length after a note or rest, with '^' additions.
    uint32_t Length() {
        uint32_t len = st_.length;
        if (std::isdigit(static_cast<unsigned char>(Peek()))) len = LengthValue(Number("length", 1, 3072));
        else if (Peek() == '.') {
            uint32_t add = len;
            while (Peek() == '.') {
                ++i_;
                add /= 2;
                len += add;
            }
        }
        while (Peek() == '^') {
            ++i_;
            len += std::isdigit(static_cast<unsigned char>(Peek())) ? LengthValue(Number("length", 1, 3072)) : st_.length;
        }
        return len;
    }

    int Pitch(char letter) {
        static const std::map<char, int> base = {{'c', 0}, {'d', 2}, {'e', 4}, {'f', 5}, {'g', 7}, {'a', 9}, {'b', 11}};
        int key = 12 * (st_.octave + 1) + base.at(letter);
        while (Peek() == '+' || Peek() == '-') key += (s_[i_++] == '-') ? -1 : 1;
        return key + st_.transpose;
    }

    void Sound(const std::vector<int>& keys, uint32_t len) {
        for (int k : keys)
            if (k < 0 || k > 127) throw ScoreError("note outside the MIDI range");
        bool extend = st_.tie && st_.open.size() == keys.size() &&
                      std::equal(keys.begin(), keys.end(), st_.open.begin(), [](int k, const TrackState::Open& o) { return k == o.key; });
        st_.tie = false;
        if (extend) {
            for (auto& o : st_.open) o.end += len;
        } else {
            FlushOpen(st_);
            for (int k : keys) st_.open.push_back({k, st_.tick, st_.tick + len});
        }
        st_.tick += len;
    }

    void Chord() {
        ++i_;  // opening quote
        std::vector<int> keys;
        int savedOctave = st_.octave;
        while (Peek() != '\'') {
            char c = static_cast<char>(std::tolower(static_cast<unsigned char>(Peek())));
            if (c == '\0') throw ScoreError("chord without closing quote");
            ++i_;
            if (c == ' ') continue;
            if (c == '<') --st_.octave;
            else if (c == '>') ++st_.octave;
            else if (c >= 'a' && c <= 'g') keys.push_back(Pitch(c));
            else if (c == 'n') keys.push_back(Number("n", 0, 127));
            else throw ScoreError(std::string("'") + c + "' not allowed in a chord");
        }
        ++i_;
        st_.octave = savedOctave;  // octave moves inside a chord stay inside it
        if (keys.empty()) throw ScoreError("empty chord");
        Sound(keys, Length());
    }

    void Controller(int number, int value) {
        Emit(st_, st_.tick,
             {static_cast<uint8_t>(0xB0 | st_.track.channel), static_cast<uint8_t>(number), static_cast<uint8_t>(value)}, 1);
    }

    void Command() {
        char c = Peek();
        if (c == ' ' || c == '\t') {
            ++i_;
            return;
        }
        if (c == '|') {  // a bar line: checked, so a miscounted bar is found at once
            ++i_;
            if (st_.tick % kWhole != 0)
                throw ScoreError("bar line at tick " + std::to_string(st_.tick) + ", " +
                                 std::to_string(st_.tick % kWhole) + " ticks into a bar");
            return;
        }
        ++i_;
        switch (c) {
            case 'c': case 'd': case 'e': case 'f': case 'g': case 'a': case 'b': {
                int key = Pitch(c);
                Sound({key}, Length());
                return;
            }
            case 'n': {
                int key = Number("n", 0, 127);
                uint32_t len = st_.length;
                if (Peek() == ',') {
                    ++i_;
                    len = Length();
                }
                Sound({key}, len);
                return;
            }
            case '\'': --i_; Chord(); return;
            case 'r': {
                uint32_t len = Length();
                FlushOpen(st_);
                st_.tie = false;
                st_.tick += len;
                return;
            }
            case '&': st_.tie = true; return;
            case 'o': st_.octave = Number("o", 0, 9); return;
            case '<': --st_.octave; return;
            case '>': ++st_.octave; return;
            case 'l': st_.length = LengthValue(Number("l", 1, 3072)); return;
            case 'q': FlushOpen(st_); st_.gate = Number("q", 1, 8); return;
            case 'v': FlushOpen(st_); st_.velocity = Number("v", 1, 127); return;
            case 'k': st_.transpose = Number("k", -48, 48); return;
            case 'p': Controller(10, Number("p", 0, 127)); return;
            case 'y': {
                int cc = Number("y", 0, 127);
                if (Peek() != ',') throw ScoreError("y needs <controller>,<value>");
                ++i_;
                Controller(cc, Number("y value", 0, 127));
                return;
            }
            case '@': {
                if (Peek() == 'v') {
                    ++i_;
                    Controller(7, Number("@v", 0, 127));
                    return;
                }
                int program = Number("@", 0, 127);
                Emit(st_, st_.tick, {static_cast<uint8_t>(0xC0 | st_.track.channel), static_cast<uint8_t>(program)}, 1);
                return;
            }
            case 't': {
                int bpm = Number("t", 20, 400);
                uint32_t usPerQuarter = 60000000u / static_cast<uint32_t>(bpm);
                song_.conductor.push_back({st_.tick,
                                           {0xFF, 0x51, 0x03, static_cast<uint8_t>(usPerQuarter >> 16),
                                            static_cast<uint8_t>(usPerQuarter >> 8), static_cast<uint8_t>(usPerQuarter)},
                                           1});
                return;
            }
            default: throw ScoreError(std::string("unexpected '") + c + "'");
        }
    }
};

}  // namespace

std::optional<Song> CompileScore(const std::string& score, std::string& error) {
    Song song;
    std::map<std::string, std::string> macros;
    std::vector<std::pair<int, std::string>> lines;
    {
        std::istringstream in(score);
        std::string line;
        while (std::getline(in, line)) {
            if (size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
            lines.emplace_back(static_cast<int>(lines.size()) + 1, line);
        }
    }
    std::map<char, TrackState> tracks;
    int current = 0;
    try {
        // Macros first, so a macro may be used above its definition.
        for (auto& [number, raw] : lines) {
            current = number;
            std::string line = Trim(raw);
            if (line.empty() || line[0] != '$') continue;
            size_t eq = line.find('=');
            if (eq == std::string::npos) throw ScoreError("macro definition needs '='");
            std::string name = Trim(line.substr(1, eq - 1));
            if (name.empty() || !std::all_of(name.begin(), name.end(), IsNameChar)) throw ScoreError("bad macro name");
            macros[name] = line.substr(eq + 1);
        }
        for (auto& [number, raw] : lines) {
            current = number;
            std::string line = Trim(raw);
            if (line.empty() || line[0] == '$') continue;
            char letter = line[0];
            if (letter < 'A' || letter > 'P') throw ScoreError("a line must start with a track letter A-P or a macro");
            auto [it, fresh] = tracks.try_emplace(letter);
            TrackState& st = it->second;
            if (fresh) {
                st.track.channel = letter - 'A';
                st.track.name = std::string(1, letter);
            }
            std::string text = ExpandMacros(line.substr(1), macros, 0);
            for (char& ch : text) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            size_t pos = 0;
            text = ExpandRepeats(text, pos, false);
            LineParser(text, st, song).Run();
        }
    } catch (const ScoreError& e) {
        error = "line " + std::to_string(current) + ": " + e.what();
        return std::nullopt;
    }
    if (tracks.empty()) {
        error = "the score has no tracks";
        return std::nullopt;
    }
    song.conductor.push_back({0, {0xFF, 0x58, 0x04, 4, 2, 24, 8}, 0});  // 4/4
    for (auto& [letter, st] : tracks) {
        FlushOpen(st);
        st.track.length = st.tick;
        song.length = std::max(song.length, st.tick);
        song.tracks.push_back(std::move(st.track));
    }
    return song;
}

}  // namespace mml
