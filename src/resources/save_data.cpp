// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/save_data.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <system_error>
#include <utility>

#include "media/media.h"
#include "resources/messages.h"
#include "resources/replace_file.h"

namespace {

std::unique_ptr<SaveData> g_instance;
std::vector<std::string> g_places = {"data.sav"};

constexpr char kSignature[3] = {'V', 'T', 'R'};

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// A byte read at the end of the file yields 255, as the game always did.
uint8_t ReadByteOr255(std::FILE* f) {
    const int c = std::fgetc(f);
    return c == EOF ? 255 : static_cast<uint8_t>(c);
}

}  // namespace

SaveData::SaveData(uint8_t count) : stageCount(count), records(count, 0), parValues(count, 0) {}

SaveData* SaveData::Instance(uint8_t count) {
    if (!g_instance && count != 0) g_instance.reset(new SaveData(count));
    return g_instance.get();
}

void SaveData::Destroy() { g_instance.reset(); }

void SaveData::SetFilePath(std::string path) { g_places = {std::move(path)}; }

void SaveData::SetFilePlaces(std::vector<std::string> places) { g_places = std::move(places); }

const std::vector<std::string>& SaveData::FilePlaces() { return g_places; }

bool SaveData::Load() {
    File file;
    for (const std::string& place : g_places) {
        file.reset(std::fopen(place.c_str(), "rb"));
        if (file) break;
    }
    if (!file) return false;
    try {
        char signature[3] = {};
        (void)std::fread(signature, 1, sizeof signature, file.get());  // never checked
        continueStage = ReadByteOr255(file.get());
        const uint8_t saved = ReadByteOr255(file.get());
        const size_t wanted = std::min<size_t>(saved, stageCount);
        (void)std::fread(records.data(), 1, wanted, file.get());  // short: the rest stays 0
    } catch (const std::exception&) {
        ShowMessageBox(Translated("データのロードに失敗しました。"), Translated("error"));
    }
    // A file from a run with more stages, or a truncated one, must not send
    // the continue item to a stage without a file.
    if (continueStage == 0 || continueStage > stageCount) continueStage = 1;
    return true;
}

std::vector<uint8_t> SaveData::FileBytes() const {
    std::vector<uint8_t> bytes(std::begin(kSignature), std::end(kSignature));
    bytes.push_back(continueStage);
    bytes.push_back(stageCount);
    bytes.insert(bytes.end(), records.begin(), records.begin() + stageCount);
    return bytes;
}

bool SaveData::Save() {
    bool saved = false;
    try {
        const std::vector<uint8_t> bytes = FileBytes();
        for (const std::string& place : g_places)
            if ((saved = ReplaceFile(place, bytes))) break;
    } catch (const std::exception&) {
        saved = false;
    }
    // Progress that could not be kept anywhere is never lost silently; once a
    // run is enough, and play goes on.
    if (!saved && !failureShown_) {
        failureShown_ = true;
        ShowMessageBox(Translated("データのセーブに失敗しました。"), Translated("error"));
    }
    return saved;
}

uint8_t SaveData::RecordOf(int stage) const {
    return stage >= 1 && stage <= stageCount ? records[stage - 1] : 0;
}

uint8_t SaveData::ParOf(int stage) const {
    return stage >= 1 && stage <= stageCount ? parValues[stage - 1] : 0;
}
