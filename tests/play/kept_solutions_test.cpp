// SPDX-License-Identifier: GPL-3.0-or-later
// "solutions.txt": read and written as text, checked against the stage files
// by hash and by replaying, kept on a new best only, the aided mark lifted by
// a clear without help; and the game's clears through the frame loop.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "play/kept_solutions.h"
#include "play/stage_file.h"
#include "play/stage_file_writer.h"
#include "resources/save_data.h"
#include "resources/solutions_file.h"
#include "support/temp_dir.h"

namespace {

// A row to walk: start, a mark of 1, floor (with floor above it), a goal
// for 2. Clears in R R R (3); the floor above allows a detour.
StageFileImage SmallStage() {
    StageFileImage image;
    image.properties = {{"par", "3"}, {"limit", "2"}};
    image.board.Set(5, 6, CELL_FLOOR);
    image.board.Set(6, 6, CELL_MARK_1);
    image.board.Set(7, 6, CELL_FLOOR);
    image.board.Set(7, 5, CELL_FLOOR);
    image.board.Set(8, 6, CELL_GOAL_2);
    image.characters = {{5, 6}};
    return image;
}

std::vector<StepDirection> Moves(const std::string& letters) { return MovesFromText(letters); }

class KeptSolutionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SaveData::SetFilePath((dir.Path() / "data.sav").string());
        WriteStage(SmallStage());
    }
    void TearDown() override { SaveData::SetFilePath("data.sav"); }

    void WriteStage(const StageFileImage& image) {
        const std::vector<std::uint8_t> bytes = EncodeStageFile(image);
        dir.Write(StageFilePath(1), std::vector<unsigned char>(bytes.begin(), bytes.end()));
    }
    std::string Hash() const { return HashText(StageFileHash(ReadStageFileBytes(1))); }
    static std::string HashText(std::uint64_t hash) {
        char text[17] = {};
        std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
        return text;
    }
    std::string FileText() const {
        std::ifstream in(dir.Path() / "solutions.txt");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    TempDir dir;
};

}  // namespace

TEST(SolutionsFile, ReadsWhatItWritesAndKeepsUnreadableLinesVerbatim) {
    SolutionsText text;
    text.lines = {{1, 0x0123456789abcdefull, "RRR", false}, {12, 0xfedcba9876543210ull, "LUDR", true}};
    const std::string written = FormatSolutions(text);
    EXPECT_NE(written.find("1 0123456789abcdef RRR unaided\n"), std::string::npos);
    EXPECT_NE(written.find("12 fedcba9876543210 LUDR aided\n"), std::string::npos);
    EXPECT_EQ(ParseSolutions(written).lines, text.lines);

    const std::string damaged = written + "7 0123 RRR aided\n" + "x y z\n" + "3 0123456789abcdef RXR aided\n" +
                                "4 0123456789abcdef RR maybe\n" + "1 0123456789abcdef RR aided\n" +
                                "300 0123456789abcdef R aided\n";
    const SolutionsText read = ParseSolutions(damaged);
    EXPECT_EQ(read.lines, text.lines);
    ASSERT_EQ(read.errors.size(), 6u);
    EXPECT_EQ(read.errors[0].rfind("line 4: ", 0), 0u) << read.errors[0];  // the header is line 1
    EXPECT_NE(read.errors[4].find("stage 1 again"), std::string::npos);
    // Rewriting loses nothing: the unread lines stay as they were.
    const SolutionsText again = ParseSolutions(FormatSolutions(read));
    EXPECT_EQ(again.lines, text.lines);
    EXPECT_EQ(again.unreadLines, read.unreadLines);
}

TEST_F(KeptSolutionsTest, ALineIsOfferedOnlyWhileItsStageIsUnchangedAndItClears) {
    const std::string lines = "1 " + Hash() + " RRR unaided\n";
    EXPECT_TRUE(KeptSolutions(ParseSolutions(lines)).Offered(1));
    // Moves that do not clear are set aside, and so is a line whose stage file changed.
    EXPECT_FALSE(KeptSolutions(ParseSolutions("1 " + Hash() + " RR unaided\n")).Offered(1));
    StageFileImage changed = SmallStage();
    changed.board.Set(9, 6, CELL_FLOOR);
    WriteStage(changed);
    const KeptSolutions kept(ParseSolutions(lines));
    EXPECT_FALSE(kept.Offered(1));
    ASSERT_EQ(kept.Problems().size(), 1u);
    EXPECT_NE(kept.Problems()[0].find("changed"), std::string::npos);
    // Set aside, yet kept in the file.
    EXPECT_NE(kept.Text().find(lines), std::string::npos);
}

TEST_F(KeptSolutionsTest, OnlyANewBestReplacesTheMovesAndAnUnaidedClearLiftsTheAidedMark) {
    KeptSolutions kept;
    EXPECT_TRUE(kept.RecordClear(1, Moves("RRUDR"), true));
    EXPECT_TRUE(kept.AidedOnly(1));
    EXPECT_FALSE(kept.RecordClear(1, Moves("RRUDR"), true)) << "not better";
    EXPECT_TRUE(kept.RecordClear(1, Moves("RRR"), true));
    EXPECT_EQ(kept.Offered(1)->moves, "RRR");
    EXPECT_TRUE(kept.AidedOnly(1));
    EXPECT_TRUE(kept.RecordClear(1, Moves("RRUDR"), false)) << "worse, but without help";
    EXPECT_EQ(kept.Offered(1)->moves, "RRR");
    EXPECT_FALSE(kept.AidedOnly(1));
    EXPECT_FALSE(kept.RecordClear(1, Moves("RRUDR"), true));

    ASSERT_TRUE(kept.Save());
    EXPECT_EQ(FileText().find("1 " + Hash() + " RRR unaided\n") != std::string::npos, true) << FileText();
    const KeptSolutions loaded = KeptSolutions::Load();
    ASSERT_TRUE(loaded.Offered(1));
    EXPECT_EQ(loaded.Offered(1)->moves, "RRR");
}

TEST_F(KeptSolutionsTest, ADamagedFileIsReportedAndItsOtherLinesSurviveTheNextSave) {
    dir.Write("solutions.txt", [] {
        const std::string text = "garbage line\n5 0000000000000000 LL aided\n";
        return std::vector<unsigned char>(text.begin(), text.end());
    }());
    KeptSolutions kept = KeptSolutions::Load();
    EXPECT_EQ(kept.Problems().size(), 2u);  // one unreadable line, one line for a stage without a file
    EXPECT_TRUE(kept.RecordClear(1, Moves("RRR"), false));
    ASSERT_TRUE(kept.Save());
    const std::string text = FileText();
    EXPECT_NE(text.find("garbage line\n"), std::string::npos);
    EXPECT_NE(text.find("5 0000000000000000 LL aided\n"), std::string::npos);
    EXPECT_NE(text.find("1 " + Hash() + " RRR unaided\n"), std::string::npos);
}
