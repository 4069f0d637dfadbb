// SPDX-License-Identifier: GPL-3.0-or-later
// The player's progress and the choices that link the scenes: how play was
// started, the stage to continue from, the stage picked on the selection
// screen, and per stage the fewest steps of a clear and the par value.
// A process-wide singleton created at start-up once the stages are counted.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class SaveData {
public:
    // The most stages the save file can describe (its count is one byte).
    static constexpr int kMaxStages = 255;

    // The singleton. If it exists it is returned whatever the count; otherwise
    // a count of 0 returns null and any other count creates it.
    static SaveData* Instance(uint8_t count = 0);
    // Deletes the singleton (program end) and clears the reference.
    static void Destroy();

    // Where Load and Save read and write; "data.sav" in the current directory
    // unless start-up or a test points it elsewhere.
    static void SetFilePath(std::string path);
    // Several places in order of preference: Load reads the first that holds
    // a save file, Save writes the first it can (making its folders).
    static void SetFilePlaces(std::vector<std::string> places);
    static const std::vector<std::string>& FilePlaces();

    virtual ~SaveData() = default;

    // Reads the save file; false when it cannot be opened (first run).
    // A continue stage of 0 or beyond the stage count is read as 1.
    bool Load();
    // Replaces the save file by way of a temporary file beside it, so a failed
    // write never loses the previous progress; false when anything failed.
    // A save file or folder without write permission is never replaced, even
    // by root. When no place can be written the player is told, once a run.
    bool Save();

    // Bounds-checked look-ups by stage number (from 1); 0 outside the stages.
    uint8_t RecordOf(int stage) const;
    uint8_t ParOf(int stage) const;

    // 0 from stage 1, 1 continue from continueStage, 2 a stage chosen on the
    // selection screen; set by the title menu.
    int32_t mode = 0;
    uint8_t stageCount = 0;
    // Stage (from 1) the title menu's continue item plays; saved.
    uint8_t continueStage = 1;
    // Stage (from 1) picked on the selection screen; not saved.
    uint8_t selectedStage = 1;
    // Per stage (index stage - 1): fewest steps of a clear, 0 = never cleared.
    std::vector<uint8_t> records;
    // Per stage: the par value from the stage file; never saved.
    std::vector<uint8_t> parValues;

private:
    explicit SaveData(uint8_t count);

    std::vector<uint8_t> FileBytes() const;

    bool failureShown_ = false;
};
