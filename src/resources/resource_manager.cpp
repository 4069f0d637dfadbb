// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/resource_manager.h"

#include <cstdio>
#include <limits>
#include <optional>

#include "media/media.h"
#include "resources/bfg_file.h"
#include "resources/wide_name.h"

namespace {

// Sound names go to the media layer through a 256-byte buffer: at most 255
// bytes and the terminator.
constexpr std::size_t kMaxSoundNameBytes = 255;
constexpr int kSoundBufferCount = 3;

}  // namespace

ResourceManager& ResourceManager::Instance() {
    // Kept for the whole run on purpose: scenes hold its handles until EndMedia.
    static ResourceManager* const instance = new ResourceManager();
    return *instance;
}

ResourceManager::ResourceManager() { KeyWithBfgKey(cipher); }

ResourceManager::~ResourceManager() { cipher.Release(); }

template <typename Load>
int ResourceManager::GetCached(std::wstring_view name, ResourceNeed need, Load load) {
    for (const ResourceEntry& entry : entries) {
        if (entry.name == name) return entry.handle;
    }
    const bool optional = need == ResourceNeed::Optional;
    if (optional && missingOptional.count(std::wstring(name))) return -1;
    const int handle = load();
    if (handle == -1) {
        if (optional) {
            missingOptional.emplace(name);
            std::fprintf(stderr, "resource: %s could not be loaded; going on without it\n",
                         WideToUtf8(name).value_or("(unnamed)").c_str());
        } else {
            ShowMessageBox(Translated(kResourceLoadFailedText), Translated(kResourceLoadFailedCaption));
        }
        return -1;
    }
    entries.push_back(ResourceEntry{std::wstring(name), handle});
    return handle;
}

int ResourceManager::GetImage(std::wstring_view name, ResourceNeed need) {
    return GetCached(name, need, [&] { return LoadImageFile(name); });
}

int ResourceManager::GetSound(std::wstring_view name, ResourceNeed need) {
    return GetCached(name, need, [&] {
        const std::optional<std::string> narrow = WideToUtf8(name);
        if (!narrow || narrow->size() > kMaxSoundNameBytes) return -1;
        return LoadSound(narrow->c_str(), kSoundBufferCount, -1);
    });
}

int ResourceManager::LoadImageFile(std::wstring_view name) {
    const std::optional<std::string> path = WideToUtf8(name);
    if (!path) return -1;
    const std::optional<BfgImage> image = ReadBfgFile(*path, cipher);
    if (!image) return -1;
    const std::span<const uint8_t> bytes = image->Image();
    return CreateImageFromMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, 0, 1, 0);
}

void ResourceManager::ForgetAll() {
    entries.clear();
    missingOptional.clear();
}
