// The stage editor's document without Qt: painting, undo and redo, the
// source round trip over every shipped stage, and the exported stage file
// against the stage compiler's.
#include "stage_document.h"

#include "solver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    const std::string text = ReadText(path);
    return {text.begin(), text.end()};
}

std::vector<fs::path> ShippedSources() {
    std::vector<fs::path> sources;
    for (const auto& entry : fs::directory_iterator(fs::path(VELTRIM_SOURCE_DIR) / "content" / "stages")) {
        if (entry.path().extension() == ".stage") sources.push_back(entry.path());
    }
    std::sort(sources.begin(), sources.end());
    return sources;
}

constexpr const char* kSmallSource =
    "# A comment the author wrote\n"
    "title: Small\n"
    "limit: 2\n"
    "map:\n"
    "................\n"
    "................\n"
    "....-----.......\n"
    "....S1-1-B......\n"
    "....-----.......\n"
    "................\n"
    "# between rows\n"
    "................\n"
    "................\n"
    "................\n"
    "................\n";

StageDocument Small() {
    StageDocument::Opened opened = StageDocument::FromSourceText(kSmallSource);
    EXPECT_TRUE(opened.document) << opened.error;
    return std::move(*opened.document);
}

}  // namespace

TEST(StageDocumentPaint, PaintsCellsOfThePlayingAreaOnly) {
    StageDocument document = Small();
    EXPECT_TRUE(document.Paint({6, 4}, PaletteEntryOfCode(CELL_ARROW_RIGHT)));
    EXPECT_EQ(document.Stage().board.At(6, 4), CELL_ARROW_RIGHT);
    EXPECT_FALSE(document.Paint({6, 4}, PaletteEntryOfCode(CELL_ARROW_RIGHT))) << "the same code is no edit";
    EXPECT_FALSE(document.Paint({1, 4}, PaletteEntryOfCode(CELL_FLOOR))) << "column 1 is border";
    EXPECT_FALSE(document.Paint({6, 12}, PaletteEntryOfCode(CELL_FLOOR))) << "row 12 is border";
    EXPECT_TRUE(document.Modified());
}

TEST(StageDocumentPaint, TheStartStaysOnFloorAndMovesWithItsTool) {
    StageDocument document = Small();
    const BoardCell start = document.Stage().start;
    EXPECT_FALSE(document.Paint(start, PaletteEntryOfCode(CELL_EMPTY)));
    EXPECT_FALSE(document.Paint(start, PaletteEntryOfCode(CELL_MARK_2)));
    EXPECT_TRUE(document.Paint({7, 5}, StartTool()));  // the mark becomes the floor the start stands on
    EXPECT_EQ(document.Stage().start, (BoardCell{7, 5}));
    EXPECT_EQ(document.Stage().board.At(7, 5), CELL_FLOOR);
    EXPECT_TRUE(document.Paint(start, PaletteEntryOfCode(CELL_EMPTY))) << "the old start is an ordinary cell now";
}

TEST(StageDocumentUndo, AStrokeIsOneEditAndRedoFollowsUndo) {
    StageDocument document = Small();
    const StageSource before = document.Stage();
    document.Paint({4, 4}, PaletteEntryOfCode(CELL_MARK_3));
    document.Paint({5, 4}, PaletteEntryOfCode(CELL_MARK_3), true);
    document.Paint({6, 4}, PaletteEntryOfCode(CELL_MARK_3), true);
    const StageSource stroked = document.Stage();
    document.SetMarkLimit(3);
    document.SetTitle("Renamed");

    ASSERT_TRUE(document.Undo());
    ASSERT_TRUE(document.Undo());
    EXPECT_EQ(document.Stage(), stroked);
    ASSERT_TRUE(document.Undo());
    EXPECT_EQ(document.Stage(), before) << "the three painted cells go back at once";
    EXPECT_FALSE(document.Undo());
    EXPECT_FALSE(document.Modified());

    ASSERT_TRUE(document.Redo());
    EXPECT_EQ(document.Stage(), stroked);
    document.Paint({9, 6}, PaletteEntryOfCode(CELL_BURST));
    EXPECT_FALSE(document.CanRedo()) << "a new edit forgets what was undone";
    EXPECT_EQ(document.Stage().markLimit, 2);
}

TEST(StageDocumentSource, EveryShippedSourceSavesBackUnchanged) {
    const std::vector<fs::path> sources = ShippedSources();
    ASSERT_GE(sources.size(), 50u);
    for (const fs::path& path : sources) {
        const std::string text = ReadText(path);
        StageDocument::Opened opened = StageDocument::FromSourceText(text);
        ASSERT_TRUE(opened.document) << path << ": " << opened.error;
        EXPECT_EQ(opened.document->SourceText(), text) << path;
    }
}

TEST(StageDocumentSource, AnEditRewritesOnlyItsLines) {
    StageDocument document = Small();
    document.Paint({8, 5}, PaletteEntryOfCode(CELL_WARP_A));
    document.SetMarkLimit(3);
    StageDesign design;
    design.teaches = {"warp10"};
    document.SetDesign(design);
    const std::string text = document.SourceText();

    EXPECT_NE(text.find("# A comment the author wrote\ntitle: Small\nlimit: 3\nteaches: warp10\nmap:\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("....S1W1-B......\n"), std::string::npos) << text;
    EXPECT_NE(text.find("# between rows\n"), std::string::npos);
    const StageSourceResult reread = ParseStageSource(text);
    ASSERT_TRUE(reread.ok) << reread.reason;
    EXPECT_EQ(reread.source, document.Stage());
}

TEST(StageDocumentSource, ANewStageWritesAFreshSourceThatReadsBack) {
    StageDocument document;
    document.Paint({8, 6}, PaletteEntryOfCode(CELL_GOAL_1));
    document.SetBackgroundName("bg2.bfg");
    const StageSourceResult reread = ParseStageSource(document.SourceText());
    ASSERT_TRUE(reread.ok) << reread.reason << "\n" << document.SourceText();
    EXPECT_EQ(reread.source, document.Stage());
}

TEST(StageDocumentExport, EqualsWhatTheStageCompilerMade) {
    const fs::path compiled = fs::path(VELTRIM_BINARY_DIR) / "game" / "Stage";
    int compared = 0;
    for (const fs::path& path : ShippedSources()) {
        const int number = StageNumberOfSourceName(path.filename().string());
        const std::vector<std::uint8_t> expected = ReadBytes(compiled / ("stage" + std::to_string(number) + ".map"));
        ASSERT_FALSE(expected.empty()) << "build the content first: " << number;
        StageDocument::Opened opened = StageDocument::FromSourceText(ReadText(path));
        ASSERT_TRUE(opened.document);
        const std::optional<std::uint8_t> par = ParseStagePar(expected);
        ASSERT_TRUE(par);
        EXPECT_EQ(opened.document->StageFileBytes(*par, number), expected) << path;
        ++compared;
    }
    EXPECT_GE(compared, 50);
}

TEST(StageDocumentExport, TheParIsTheSolversOptimumOfThePlayedStage) {
    StageDocument document = Small();
    const SolveResult solved = SolveStage(document.StageForPlay());
    ASSERT_EQ(solved.status, SolveStatus::Solved);
    const StageFileResult exported =
        ParseStageFile(document.StageFileBytes(static_cast<std::uint8_t>(solved.Steps()), 3));
    ASSERT_TRUE(exported);
    EXPECT_EQ(exported.stage.par, 5);  // S1-1-B: five steps right, each mark once
    EXPECT_EQ(exported.stage.backgroundName, "stage3.bfg");
}

TEST(StageDocumentOpen, AStageFileOpensAsTheSameStage) {
    const fs::path source = ShippedSources().at(6);
    StageDocument::Opened fromSource = StageDocument::FromSourceText(ReadText(source));
    ASSERT_TRUE(fromSource.document);
    const std::vector<std::uint8_t> bytes = fromSource.document->StageFileBytes(20, 7);
    StageDocument::Opened fromFile = StageDocument::FromBytes(bytes);
    ASSERT_TRUE(fromFile.document) << fromFile.error;
    EXPECT_EQ(fromFile.document->Stage().board, fromSource.document->Stage().board);
    EXPECT_EQ(fromFile.document->Stage().start, fromSource.document->Stage().start);
    EXPECT_EQ(fromFile.document->Stage().markLimit, fromSource.document->Stage().markLimit);
    EXPECT_EQ(fromFile.document->Stage().backgroundName, "stage7.bfg");
}

TEST(StageDocumentOpen, BrokenFilesSayWhy) {
    StageDocument::Opened text = StageDocument::FromSourceText("limit: 2\nmap:\n....\n");
    EXPECT_FALSE(text.document);
    EXPECT_NE(text.error.find("line 3"), std::string::npos) << text.error;
    const std::vector<std::uint8_t> cut = {0, 0, 0, 0x80, 2, 0};
    StageDocument::Opened binary = StageDocument::FromBytes(cut);
    EXPECT_FALSE(binary.document);
    EXPECT_FALSE(binary.error.empty());
}

TEST(StageDocumentOpen, AStageFileIsMadeToFitASource) {
    StageFileImage image;
    image.board.Set(6, 5, CELL_MARK_2);
    image.board.Set(7, 5, 40);  // walkable, without effect
    image.characters = {{6, 5}};
    image.backgroundName = " sky\nline.bfg ";
    StageDocument::Opened opened = StageDocument::FromStageFile(EncodeStageFile(image));
    ASSERT_TRUE(opened.document) << opened.error;
    const StageSource& stage = opened.document->Stage();
    EXPECT_EQ(stage.board.At(6, 5), CELL_FLOOR) << "the start stands on floor in a source";
    EXPECT_EQ(stage.board.At(7, 5), CELL_FLOOR);
    EXPECT_EQ(stage.backgroundName, "skyline.bfg");
    const StageSourceResult reread = ParseStageSource(opened.document->SourceText());
    ASSERT_TRUE(reread.ok) << reread.reason;
    EXPECT_EQ(reread.source, stage);
}
