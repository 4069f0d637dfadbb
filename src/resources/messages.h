// SPDX-License-Identifier: GPL-3.0-or-later
// The game's own messages and captions in the player's language. The texts
// are written in the sources as the game shows them in Japanese; the gettext
// catalogue po/en.po gives their English. A Japanese or C/POSIX locale keeps
// the texts as written, every other locale gets English.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

enum class MessageTexts { AsWritten, English };

// Reads one environment variable (null when unset); std::getenv in the game.
using EnvironmentReader = std::function<const char*(const char*)>;

// Which texts the environment asks for, read the way gettext reads it: the
// locale from LC_ALL, else LC_MESSAGES, else LANG (the first one set and not
// empty); a C or POSIX locale keeps the texts as written whatever LANGUAGE
// says; otherwise LANGUAGE's list, when set, is walked for the first
// language with texts (Japanese as written, English), and a locale or list
// naming only other languages gets English.
MessageTexts TextsForEnvironment(const EnvironmentReader& environment);

// Chooses the texts for the environment and, for English, points gettext at
// the first of `localeFolders` that holds the catalogue
// (<folder>/en/LC_MESSAGES/veltrim.mo). Without a catalogue the texts stay
// as written, with one line on standard error.
void StartMessageTranslation(const std::vector<std::filesystem::path>& localeFolders,
                             const EnvironmentReader& environment);

// The texts chosen by the last StartMessageTranslation (as written before).
MessageTexts ChosenMessageTexts();

// Marks a text kept in a constant for the catalogue (xgettext reads the
// sources); Translated gives it in the chosen language where it is shown.
constexpr const char* ForTranslation(const char* text) { return text; }

// The text in the chosen language; a text the catalogue lacks stays as written.
const char* Translated(const char* text);
