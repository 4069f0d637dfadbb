// SPDX-License-Identifier: GPL-3.0-or-later
// One stage as the editor holds it: the stage itself (board, start cell,
// name, mark limit, background, design declarations), painted and changed
// with undo and redo, read from and written back to its readable source or
// a stage file. Saving a source keeps every line the author wrote (comments,
// key order, spacing) and rewrites only what was changed.
#pragma once

#include "palette.h"
#include "stage_source.h"

#include "play/stage_file.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class StageDocument {
public:
    // A new stage: a small floor with the start on it, mark limit 2.
    StageDocument();

    struct Opened;
    // Reads a readable stage source.
    static Opened FromSourceText(std::string_view text);
    // Reads a stage file; codes above the eraser (walkable, without effect)
    // become floor, which the game treats the same. What a source cannot
    // say is made to fit it: the start cell becomes floor, and control
    // characters leave the background's name.
    static Opened FromStageFile(std::span<const std::uint8_t> bytes);
    // Either, told apart by content: a stage source or a stage file.
    static Opened FromBytes(std::span<const std::uint8_t> bytes);

    const StageSource& Stage() const { return stage_; }

    // Paints one cell of the playing area with a tool. A stroke (a press and
    // the drag that follows it) is one edit for undo: `continuesStroke` is
    // false for the press and true for the cells dragged over. False when
    // nothing changed (outside the playing area, the same code, or emptying
    // the start cell, which the stage cannot do without).
    bool Paint(BoardCell cell, const PaletteEntry& tool, bool continuesStroke = false);
    void SetTitle(std::string title);
    void SetMarkLimit(std::uint8_t limit);  // 1..4; others are ignored
    void SetBackgroundName(std::string name);
    void SetDesign(StageDesign design);
    // Replaces the whole stage, as one edit (the end of play in place does not
    // use this: it never changes the stage).
    void Replace(const StageSource& stage);

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    bool Undo();
    bool Redo();

    // Changed since it was opened or last marked saved.
    bool Modified() const { return !(stage_ == saved_); }
    void MarkSaved() { saved_ = stage_; }

    // The readable source: the text it was opened from with only the changed
    // lines rewritten, or a fresh source for a stage that had none.
    std::string SourceText() const;
    // The stage file the game reads, with this par, as the stage compiler
    // makes it: a stage without a named background names the picture drawn
    // for its stage number ("stage<n>.bfg"), or "bg1.bfg" without a number.
    std::vector<std::uint8_t> StageFileBytes(std::uint8_t par, int stageNumber = 0) const;
    // The stage as the game will read it (par unknown: 255).
    StageData StageForPlay() const;

private:
    void BeginEdit();

    StageSource stage_;
    StageSource saved_;
    StageSource opened_;             // as the source text says it
    std::vector<std::string> lines_;  // the source text it was opened from; empty if none
    std::vector<StageSource> undo_;
    std::vector<StageSource> redo_;
};

struct StageDocument::Opened {
    std::optional<StageDocument> document;
    std::string error;  // when there is no document: "line N: reason" or the stage file's fault
};
