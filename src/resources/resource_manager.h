// SPDX-License-Identifier: GPL-3.0-or-later
// The game's single loader and cache for pictures (.bfg files) and sound
// effects. The first request for a name loads the file and remembers its
// handle; later requests for the same name return that handle without
// touching the disk. Handles from GetImage and GetSound belong to the cache
// and are freed only by EndMedia.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "resources/blowfish.h"
#include "resources/messages.h"

// One row of the cache. Pictures and sounds share the rows; a row does not
// record which kind of handle it holds.
struct ResourceEntry {
    std::wstring name;  // exactly as the caller passed it
    int handle = -1;    // never -1 once stored
};

// Whether the game has always needed a file, so that a failure to load it is
// the player's business, or only an addition of ours uses it (a sound or
// picture the game drew without before): then a failure is silent, one line on
// standard error, and the addition goes without it.
enum class ResourceNeed { Required, Optional };

class ResourceManager {
public:
    // The one manager, created on the first call and never destroyed.
    static ResourceManager& Instance();

    // Cached picture from a .bfg file; -1 after the failure message, or for
    // an optional one after its line on standard error (once a run).
    int GetImage(std::wstring_view name, ResourceNeed need = ResourceNeed::Required);
    // Cached sound effect (three playback buffers); -1 as for pictures.
    int GetSound(std::wstring_view name, ResourceNeed need = ResourceNeed::Required);
    // Reads, decrypts and decodes a .bfg file every time, with no cache and
    // no message. The caller owns the handle and frees it with DeleteImage.
    int LoadImageFile(std::wstring_view name);

    // The cache rows, in order of first successful load.
    const std::vector<ResourceEntry>& Entries() const { return entries; }
    // Drops every row without freeing the handles. Only for a media layer that
    // is shut down and started again in one process (tests do that); the
    // game never calls it.
    void ForgetAll();

    virtual ~ResourceManager();
    ResourceManager(const ResourceManager&) = delete;
    ResourceManager& operator=(const ResourceManager&) = delete;

private:
    ResourceManager();

    // Looks name up, else loads it with load and caches or reports the result.
    template <typename Load>
    int GetCached(std::wstring_view name, ResourceNeed need, Load load);

    BlowfishState cipher;
    std::vector<ResourceEntry> entries;
    // Optional files that failed: not tried again, not reported again.
    std::set<std::wstring> missingOptional;
};

// The failure message for a picture or sound that cannot be loaded.
inline constexpr const char* kResourceLoadFailedText = ForTranslation("リソースの読み込みに失敗しました。");
inline constexpr const char* kResourceLoadFailedCaption = ForTranslation("エラー");
