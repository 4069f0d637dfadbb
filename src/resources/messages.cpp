// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/messages.h"

#include <libintl.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string_view>
#include <system_error>

namespace {

constexpr const char* kDomain = "veltrim";
constexpr const char* kEnglishCatalogue = "en/LC_MESSAGES/veltrim.mo";

// The choice is the process's, like gettext's own settings.
MessageTexts& Chosen() {
    static MessageTexts chosen = MessageTexts::AsWritten;
    return chosen;
}

// "ja_JP.UTF-8@x" -> "ja".
std::string_view LanguageOf(std::string_view locale) {
    return locale.substr(0, locale.find_first_of("_.@"));
}

bool IsCLocale(std::string_view language) { return language == "C" || language == "POSIX"; }

std::string_view FirstSet(const EnvironmentReader& environment, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const char* value = environment(name);
        if (value && *value) return value;
    }
    return "C";
}

}  // namespace

MessageTexts TextsForEnvironment(const EnvironmentReader& environment) {
    const std::string_view locale = LanguageOf(FirstSet(environment, {"LC_ALL", "LC_MESSAGES", "LANG"}));
    if (IsCLocale(locale)) return MessageTexts::AsWritten;
    const char* list = environment("LANGUAGE");
    if (!list || !*list) return locale == "ja" ? MessageTexts::AsWritten : MessageTexts::English;
    // gettext walks the list until a language has a catalogue; "C" ends the walk untranslated.
    std::string_view rest(list);
    while (!rest.empty()) {
        const size_t colon = rest.find(':');
        const std::string_view language = LanguageOf(rest.substr(0, colon));
        if (language == "ja" || IsCLocale(language)) return MessageTexts::AsWritten;
        if (language == "en") return MessageTexts::English;
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
    return MessageTexts::English;
}

void StartMessageTranslation(const std::vector<std::filesystem::path>& localeFolders,
                             const EnvironmentReader& environment) {
    Chosen() = MessageTexts::AsWritten;
    if (TextsForEnvironment(environment) != MessageTexts::English) return;
    for (const std::filesystem::path& folder : localeFolders) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(folder / kEnglishCatalogue, error)) continue;
        const std::filesystem::path absolute = std::filesystem::absolute(folder, error);
        if (error) continue;
        bindtextdomain(kDomain, absolute.c_str());
        bind_textdomain_codeset(kDomain, "UTF-8");
        // gettext looks at LANGUAGE only outside the plain C locale, and the
        // player's own locale need not be generated on this machine: the
        // built-in C.UTF-8 with LANGUAGE=en reaches the catalogue anywhere.
        // Only the messages' category changes; numbers keep the C locale.
        if (!std::setlocale(LC_MESSAGES, "C.UTF-8")) break;
        setenv("LANGUAGE", "en", 1);
        Chosen() = MessageTexts::English;
        return;
    }
    std::fprintf(stderr, "messages: no English catalogue (%s); the messages stay in Japanese\n", kEnglishCatalogue);
}

MessageTexts ChosenMessageTexts() { return Chosen(); }

const char* Translated(const char* text) {
    if (Chosen() != MessageTexts::English || !text || !*text) return text;
    return dgettext(kDomain, text);
}
