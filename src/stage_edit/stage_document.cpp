#include "stage_document.h"

#include "play/stage_file_writer.h"

#include <algorithm>

namespace {

// The keys a source header may hold, in the order a fresh source writes them.
constexpr const char* kKeys[] = {"title", "limit", "background", "teaches", "features", "traps"};

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t end = text.find('\n', begin);
        lines.emplace_back(text.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin));
        if (end == std::string_view::npos) break;
        begin = end + 1;
    }
    return lines;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

// The key of a header line, empty for comments, blank lines and map rows.
std::string KeyOf(std::string_view line) {
    line = Trimmed(line);
    if (line.empty() || line.front() == '#') return {};
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return {};
    return std::string(Trimmed(line.substr(0, colon)));
}

std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
    return text;
}

// The value a key has in a stage, as a fresh source writes it; empty when
// the key is better left out.
std::string ValueOf(const StageSource& stage, std::string_view key) {
    if (key == "title") return stage.title;
    if (key == "limit") return std::to_string(stage.markLimit);
    if (key == "background") return stage.backgroundName;
    if (key == "teaches") return Joined(stage.design.teaches);
    if (key == "features") return Joined(stage.design.features);
    if (key == "traps") return stage.design.trapsAllowed ? "allowed" : "";
    return {};
}

bool SameValue(const StageSource& a, const StageSource& b, std::string_view key) {
    if (key == "teaches") return a.design.teaches == b.design.teaches;
    if (key == "features") return a.design.features == b.design.features;
    if (key == "traps") return a.design.trapsAllowed == b.design.trapsAllowed;
    return ValueOf(a, key) == ValueOf(b, key);
}

std::string MapRow(const StageSource& stage, int row) {
    std::string text;
    for (int column = Board::kFirstPlayColumn; column <= Board::kLastPlayColumn; ++column) {
        const BoardCell cell{column, row};
        const char c = cell == stage.start ? 'S' : SourceCharacterOf(stage.board.At(cell));
        text += c ? c : '-';
    }
    return text;
}

std::string FreshSource(const StageSource& stage) {
    std::string text;
    for (const char* key : kKeys) {
        const std::string value = ValueOf(stage, key);
        if (!value.empty()) text += std::string(key) + ": " + value + "\n";
    }
    text += "map:\n";
    for (int row = Board::kFirstPlayRow; row <= Board::kLastPlayRow; ++row) text += MapRow(stage, row) + "\n";
    return text;
}

// Text as one value of a source line: no line breaks or other control
// characters, no blanks at either end (the reader trims them).
std::string SourceLineValue(std::string_view text) {
    std::string value;
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) value += c;
    }
    return std::string(Trimmed(value));
}

StageSource NewStage() {
    StageSource stage;
    stage.title = "New stage";
    for (int column = 6; column <= 13; ++column) {
        for (int row = 5; row <= 8; ++row) stage.board.Set(column, row, CELL_FLOOR);
    }
    stage.start = {6, 5};
    return stage;
}

}  // namespace

StageDocument::StageDocument() : stage_(NewStage()), saved_(stage_), opened_(stage_) {}

StageDocument::Opened StageDocument::FromSourceText(std::string_view text) {
    StageSourceResult parsed = ParseStageSource(text);
    if (!parsed.ok) return {std::nullopt, "line " + std::to_string(parsed.line) + ": " + parsed.reason};
    StageDocument document;
    document.stage_ = document.saved_ = document.opened_ = std::move(parsed.source);
    document.lines_ = SplitLines(text);
    return {std::move(document), {}};
}

StageDocument::Opened StageDocument::FromStageFile(std::span<const std::uint8_t> bytes) {
    const StageFileResult parsed = ParseStageFile(bytes);
    if (!parsed) return {std::nullopt, DescribeStageFileError(parsed.error)};
    StageDocument document;
    StageSource& stage = document.stage_;
    stage.title.clear();
    stage.markLimit = parsed.stage.markLimit;
    stage.backgroundName = parsed.stage.backgroundName;
    stage.start = parsed.stage.start;
    stage.board.Clear();
    for (int row = Board::kFirstPlayRow; row <= Board::kLastPlayRow; ++row) {
        for (int column = Board::kFirstPlayColumn; column <= Board::kLastPlayColumn; ++column) {
            const std::uint8_t code = parsed.stage.board.At(column, row);
            stage.board.Set(column, row, SourceCharacterOf(code) ? code : std::uint8_t{CELL_FLOOR});
        }
    }
    // A source starts the player on floor ('S'); a stage file may say otherwise.
    stage.board.Set(stage.start, CELL_FLOOR);
    stage.backgroundName = SourceLineValue(parsed.stage.backgroundName);
    document.saved_ = document.opened_ = stage;
    return {std::move(document), {}};
}

StageDocument::Opened StageDocument::FromBytes(std::span<const std::uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    Opened asSource = FromSourceText(text);
    if (asSource.document) return asSource;
    // A stage file starts with binary sizes; a source is text throughout.
    const bool looksBinary = std::any_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
    if (!looksBinary) return asSource;
    return FromStageFile(bytes);
}

void StageDocument::BeginEdit() {
    undo_.push_back(stage_);
    redo_.clear();
}

bool StageDocument::Paint(BoardCell cell, const PaletteEntry& tool, bool continuesStroke) {
    if (!Board::InPlayingArea(cell.column, cell.row)) return false;
    StageSource next = stage_;
    if (tool.kind == PaletteEntry::Kind::Start) {
        next.start = cell;
        if (next.board.At(cell) != CELL_FLOOR) next.board.Set(cell, CELL_FLOOR);
    } else {
        if (cell == stage_.start && tool.code != CELL_FLOOR) return false;  // the start stands on floor
        next.board.Set(cell, tool.code);
    }
    if (next == stage_) return false;
    if (!continuesStroke || undo_.empty()) BeginEdit();
    stage_ = std::move(next);
    return true;
}

void StageDocument::SetTitle(std::string title) {
    title = SourceLineValue(title);
    if (title == stage_.title) return;
    BeginEdit();
    stage_.title = std::move(title);
}

void StageDocument::SetMarkLimit(std::uint8_t limit) {
    if (limit < 1 || limit > kMaxMarkLimit || limit == stage_.markLimit) return;
    BeginEdit();
    stage_.markLimit = limit;
}

void StageDocument::SetBackgroundName(std::string name) {
    name = SourceLineValue(name);
    if (name == stage_.backgroundName) return;
    BeginEdit();
    stage_.backgroundName = std::move(name);
}

void StageDocument::SetDesign(StageDesign design) {
    if (design == stage_.design) return;
    BeginEdit();
    stage_.design = std::move(design);
}

void StageDocument::Replace(const StageSource& stage) {
    if (stage == stage_) return;
    BeginEdit();
    stage_ = stage;
}

bool StageDocument::Undo() {
    if (undo_.empty()) return false;
    redo_.push_back(std::move(stage_));
    stage_ = std::move(undo_.back());
    undo_.pop_back();
    return true;
}

bool StageDocument::Redo() {
    if (redo_.empty()) return false;
    undo_.push_back(std::move(stage_));
    stage_ = std::move(redo_.back());
    redo_.pop_back();
    return true;
}

std::string StageDocument::SourceText() const {
    if (lines_.empty()) return FreshSource(stage_);
    std::vector<std::string> out;
    std::vector<std::string> written;  // header keys the text already holds
    bool inMap = false;
    int row = Board::kFirstPlayRow;
    for (const std::string& line : lines_) {
        if (inMap) {
            const std::string_view trimmed = Trimmed(line);
            if (trimmed.empty() || trimmed.front() == '#' || row > Board::kLastPlayRow) {
                out.push_back(line);
                continue;
            }
            const std::string rowText = MapRow(stage_, row++);
            out.push_back(rowText == trimmed ? line : rowText);
            continue;
        }
        const std::string key = KeyOf(line);
        if (key == "map") {
            // Keys the stage has gained go just before the map.
            for (const char* k : kKeys) {
                const std::string value = ValueOf(stage_, k);
                if (!value.empty() && std::find(written.begin(), written.end(), k) == written.end()) {
                    out.push_back(std::string(k) + ": " + value);
                }
            }
            out.push_back(line);
            inMap = true;
            continue;
        }
        if (key.empty() || SameValue(stage_, opened_, key)) {
            out.push_back(line);
            if (!key.empty()) written.push_back(key);
            continue;
        }
        written.push_back(key);
        const std::string value = ValueOf(stage_, key);
        if (!value.empty()) out.push_back(key + ": " + value);  // a cleared key leaves the source
    }
    std::string text;
    for (std::size_t i = 0; i < out.size(); ++i) text += (i ? "\n" : "") + out[i];
    return text;
}

std::vector<std::uint8_t> StageDocument::StageFileBytes(std::uint8_t par, int stageNumber) const {
    StageSource stage = stage_;
    if (stage.backgroundName.empty()) stage.backgroundName = stageNumber > 0 ? OwnBackgroundName(stageNumber) : "bg1.bfg";
    return EncodeStageFile(StageFileImageOf(stage, par));
}

StageData StageDocument::StageForPlay() const {
    const std::vector<std::uint8_t> bytes = StageFileBytes(255);
    return ParseStageFile(bytes).stage;
}
