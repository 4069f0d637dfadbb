// SPDX-License-Identifier: GPL-3.0-or-later
// The save file reader on arbitrary bytes: no crash, and whatever was read
// leaves a continue stage that names a stage and records of the right size.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "resources/save_data.h"

namespace {

const std::string& ScratchPath() {
    static const std::string path = "/tmp/veltrim-fuzz-save-" + std::to_string(getpid()) + ".sav";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    // The first byte picks the number of stages of this run.
    const uint8_t stages = data[0] == 0 ? 1 : data[0];
    std::FILE* file = std::fopen(ScratchPath().c_str(), "wb");
    if (!file) return 0;
    std::fwrite(data + 1, 1, size - 1, file);
    std::fclose(file);

    SaveData::SetFilePath(ScratchPath());
    SaveData* save = SaveData::Instance(stages);
    if (!save->Load()) std::abort();
    if (save->continueStage < 1 || save->continueStage > save->stageCount) std::abort();
    if (save->records.size() != stages || save->parValues.size() != stages) std::abort();
    for (int stage = 0; stage <= 256; ++stage) (void)save->RecordOf(stage);
    SaveData::Destroy();
    std::remove(ScratchPath().c_str());
    return 0;
}
