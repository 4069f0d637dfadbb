#include "resources/save_data.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <utility>

#include "media/media.h"

namespace {

std::unique_ptr<SaveData> g_instance;
std::string g_filePath = "data.sav";

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

// Makes the rename itself survive a power cut; failure here loses nothing.
void SyncDirectoryOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool WriteWhole(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* raw = std::fopen(path.c_str(), "wb");
    if (!raw) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), raw) == bytes.size();
    ok = std::fflush(raw) == 0 && ok;
    ok = ::fsync(::fileno(raw)) == 0 && ok;
    ok = std::fclose(raw) == 0 && ok;
    return ok;
}

}  // namespace

SaveData::SaveData(uint8_t count) : stageCount(count), records(count, 0), parValues(count, 0) {}

SaveData* SaveData::Instance(uint8_t count) {
    if (!g_instance && count != 0) g_instance.reset(new SaveData(count));
    return g_instance.get();
}

void SaveData::Destroy() { g_instance.reset(); }

void SaveData::SetFilePath(std::string path) { g_filePath = std::move(path); }

const std::string& SaveData::FilePath() { return g_filePath; }

bool SaveData::Load() {
    File file(std::fopen(g_filePath.c_str(), "rb"));
    if (!file) return false;
    try {
        char signature[3] = {};
        (void)std::fread(signature, 1, sizeof signature, file.get());  // never checked
        continueStage = ReadByteOr255(file.get());
        const uint8_t saved = ReadByteOr255(file.get());
        const size_t wanted = std::min<size_t>(saved, stageCount);
        (void)std::fread(records.data(), 1, wanted, file.get());  // short: the rest stays 0
    } catch (const std::exception&) {
        ShowMessageBox("データのロードに失敗しました。", "error");
    }
    // A file from a run with more stages, or a truncated one, must not send
    // the continue item to a stage without a file.
    if (continueStage == 0 || continueStage > stageCount) continueStage = 1;
    return true;
}

bool SaveData::Save() {
    // A read-only save file stays as it is: the player chose to keep it.
    if (::access(g_filePath.c_str(), F_OK) == 0 && ::access(g_filePath.c_str(), W_OK) != 0)
        return false;
    const std::string temporary = g_filePath + ".tmp";
    try {
        std::vector<uint8_t> bytes(std::begin(kSignature), std::end(kSignature));
        bytes.push_back(continueStage);
        bytes.push_back(stageCount);
        bytes.insert(bytes.end(), records.begin(), records.begin() + stageCount);
        if (!WriteWhole(temporary, bytes) || std::rename(temporary.c_str(), g_filePath.c_str()) != 0) {
            std::remove(temporary.c_str());
            return false;
        }
    } catch (const std::exception&) {
        std::remove(temporary.c_str());
        ShowMessageBox("データのセーブに失敗しました。", "error");
        return false;
    }
    SyncDirectoryOf(g_filePath);
    return true;
}

uint8_t SaveData::RecordOf(int stage) const {
    return stage >= 1 && stage <= stageCount ? records[stage - 1] : 0;
}

uint8_t SaveData::ParOf(int stage) const {
    return stage >= 1 && stage <= stageCount ? parValues[stage - 1] : 0;
}
