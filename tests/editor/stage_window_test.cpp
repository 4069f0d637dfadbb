// SPDX-License-Identifier: GPL-3.0-or-later
// Quillon's stage window on the offscreen platform: a source opened, a cell
// painted with the mouse, the verdict panel following, the file saved as the
// model says; play in place; the question before unsaved changes are lost;
// and the tool's texts in the author's language.
#include "editor/board_view.h"
#include "editor/editor_fixture.h"
#include "editor/editor_language.h"
#include "editor/stage_window.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTemporaryDir>

#include "critique.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

constexpr const char* kSmallSource =
    "# Two marks on the way to the door.\n"
    "title: Small\n"
    "limit: 2\n"
    "map:\n"
    "................\n"
    "................\n"
    "....-----.......\n"
    "....S1-1-B......\n"
    "....-----.......\n"
    "................\n"
    "................\n"
    "................\n"
    "................\n"
    "................\n";

// Runs the event loop until done() or the time is up.
bool WaitFor(const std::function<bool()>& done, int milliseconds = 30000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > milliseconds) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

void Click(QWidget* view, QPoint at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, view->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, view->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &release);
}

void Press(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
}

int KeyOf(StepDirection direction) {
    switch (direction) {
        case StepDirection::Left: return Qt::Key_Left;
        case StepDirection::Up: return Qt::Key_Up;
        case StepDirection::Right: return Qt::Key_Right;
        case StepDirection::Down: return Qt::Key_Down;
    }
    return 0;
}

class StageWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        path = folder.filePath(QStringLiteral("03-small.stage"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kSmallSource);
        file.close();
        auto owned = std::make_unique<ScriptedPrompts>();
        prompts = owned.get();
        window = std::make_unique<StageWindow>(std::move(owned));
        window->show();
    }

    // Waits for the verdict after the latest edit.
    void WaitForVerdict(int shownBefore) {
        ASSERT_TRUE(WaitFor([&] { return window->VerdictsShown() > shownBefore; })) << "no verdict arrived";
    }

    int PaletteIndexOf(std::uint8_t code) const {
        const auto palette = Palette();
        for (std::size_t i = 0; i < palette.size(); ++i) {
            if (palette[i].kind == PaletteEntry::Kind::Cell && palette[i].code == code) return static_cast<int>(i);
        }
        return -1;
    }

    QTemporaryDir folder;
    QString path;
    ScriptedPrompts* prompts = nullptr;
    std::unique_ptr<StageWindow> window;
};

}  // namespace

TEST_F(StageWindowTest, APaintedCellChangesTheVerdictAndIsSavedAsTheModelSays) {
    ASSERT_TRUE(window->OpenFile(path));
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("03-small.stage"))) << window->windowTitle().toStdString();
    WaitForVerdict(0);
    const QString first = window->VerdictPanelText();
    EXPECT_TRUE(first.contains(QStringLiteral("optimum 5 step"))) << first.toStdString();

    // A mark 2 on the floor between the marks: the walk must go round it.
    window->SelectTool(PaletteIndexOf(CELL_MARK_2));
    const int shown = window->VerdictsShown();
    Click(window->View(), window->View()->CentreOf({8, 5}));
    EXPECT_EQ(window->Document().Stage().board.At(8, 5), CELL_MARK_2);
    EXPECT_TRUE(window->isWindowModified());
    WaitForVerdict(shown);
    const QString second = window->VerdictPanelText();
    EXPECT_NE(second, first);
    EXPECT_TRUE(second.contains(QStringLiteral("optimum 5 → 7"))) << second.toStdString();

    window->Command(QStringLiteral("save"))->trigger();
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_EQ(bytes.toStdString(), window->Document().SourceText());
    EXPECT_TRUE(bytes.startsWith("# Two marks on the way to the door.\n"));
    EXPECT_TRUE(bytes.contains("....S121-B......\n"));
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_TRUE(prompts->fileQuestions.empty()) << "a source that has a file is saved without asking";
}

TEST_F(StageWindowTest, PlayInPlaceUsesTheRulesAndLeavesTheStageAsItWas) {
    ASSERT_TRUE(window->OpenFile(path));
    const StageSource before = window->Document().Stage();
    window->TogglePlay();
    ASSERT_TRUE(window->Playing());
    Press(window.get(), Qt::Key_Right);
    Press(window.get(), Qt::Key_Right);
    ASSERT_NE(window->Session(), nullptr);
    EXPECT_EQ(window->Session()->Steps(), 2);
    EXPECT_EQ(window->Session()->board().At(7, 5), CELL_MARK_2) << "the first mark advanced";
    Press(window.get(), Qt::Key_Backspace);
    EXPECT_EQ(window->Session()->Steps(), 1);
    for (int i = 0; i < 4; ++i) Press(window.get(), Qt::Key_Right);
    EXPECT_TRUE(window->Session()->Cleared());

    window->TogglePlay();
    EXPECT_FALSE(window->Playing());
    EXPECT_EQ(window->Document().Stage(), before);
    EXPECT_FALSE(window->isWindowModified());
}

TEST_F(StageWindowTest, HKeyShowsTheHintAndFollowingItClearsInTheOptimum) {
    ASSERT_TRUE(window->OpenFile(path));
    window->TogglePlay();
    ASSERT_NE(window->Advice(), nullptr);
    EXPECT_TRUE(window->AdviceText().isEmpty()) << "no hint before H";
    Press(window.get(), Qt::Key_H);
    ASSERT_TRUE(WaitFor([&] { return window->View()->Hint().has_value(); })) << window->AdviceText().toStdString();
    EXPECT_EQ(window->AdviceText(), QStringLiteral("5 steps to clear from here. Par 5 is still within reach."));
    EXPECT_EQ(window->View()->Hint(), StepDirection::Right);

    // A step hides the hint: it belonged to the position it was asked in.
    Press(window.get(), Qt::Key_Right);
    EXPECT_FALSE(window->View()->Hint().has_value());
    EXPECT_TRUE(window->AdviceText().isEmpty());
    while (!window->Session()->Cleared()) {
        Press(window.get(), Qt::Key_H);
        ASSERT_TRUE(window->View()->Hint().has_value()) << "after " << window->Session()->Steps() << " steps";
        Press(window.get(), KeyOf(*window->View()->Hint()));
    }
    EXPECT_EQ(window->Session()->Steps(), 5);

    window->TogglePlay();
    EXPECT_EQ(window->Advice(), nullptr) << "back to editing ends the advisor";
    EXPECT_TRUE(window->AdviceText().isEmpty());
    EXPECT_FALSE(window->View()->Hint().has_value());
}

TEST_F(StageWindowTest, AWalkIntoATrapIsWarnedWithTheUndosBack) {
    // A shipped warp stage half of whose positions are dead.
    QString shipped;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(VELTRIM_SOURCE_DIR) / "content/stages")) {
        if (entry.path().filename().string().rfind("26-", 0) == 0) shipped = QString::fromStdString(entry.path().string());
    }
    ASSERT_FALSE(shipped.isEmpty());
    ASSERT_TRUE(window->OpenFile(shipped));
    const Critique critique = CritiqueStage(window->Document().StageForPlay());
    ASSERT_GE(critique.trapMoves.size(), 2u);
    window->TogglePlay();
    ASSERT_TRUE(WaitFor([&] { return window->Advice() && window->Advice()->Ready(); }));
    for (StepDirection step : critique.trapMoves) {
        EXPECT_TRUE(window->AdviceText().isEmpty()) << "no warning before the trap";
        Press(window.get(), KeyOf(step));
    }
    EXPECT_EQ(window->AdviceText(),
              QStringLiteral("No clear is possible from here. Undo 1 step (Backspace), or C to start over."));
    Press(window.get(), Qt::Key_H);
    EXPECT_FALSE(window->View()->Hint().has_value()) << "no hint in a lost position";
    Press(window.get(), Qt::Key_Backspace);
    EXPECT_TRUE(window->AdviceText().isEmpty());
}

TEST_F(StageWindowTest, ClosingWithUnsavedChangesAsksFirst) {
    ASSERT_TRUE(window->OpenFile(path));
    window->SelectTool(PaletteIndexOf(CELL_BURST));
    Click(window->View(), window->View()->CentreOf({10, 6}));
    ASSERT_TRUE(window->isWindowModified());

    prompts->buttonAnswers = {QMessageBox::Cancel};
    window->Command(QStringLiteral("close"))->trigger();
    ASSERT_EQ(prompts->messages.size(), 1u);
    EXPECT_TRUE(window->isVisible()) << "Cancel keeps the window";

    prompts->buttonAnswers = {QMessageBox::Discard};
    window->close();
    EXPECT_EQ(prompts->messages.size(), 2u);
    EXPECT_FALSE(window->isVisible());
    QFile untouched(path);
    ASSERT_TRUE(untouched.open(QIODevice::ReadOnly));
    EXPECT_EQ(untouched.readAll(), QByteArray(kSmallSource));
}

TEST_F(StageWindowTest, ExportWritesTheStageFileWithTheSolversPar) {
    ASSERT_TRUE(window->OpenFile(path));
    const QString map = folder.filePath(QStringLiteral("out.map"));
    ASSERT_TRUE(window->ExportStageFile(map));
    QFile file(map);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const std::vector<std::uint8_t> expected = window->Document().StageFileBytes(5, 3);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), expected);
}

TEST(EditorLanguage, JapaneseAndCKeepTheWrittenTextsAndOthersGetEnglish) {
    EXPECT_EQ(EditorLanguageOf(nullptr, nullptr, nullptr), EditorLanguage::AsWritten);
    EXPECT_EQ(EditorLanguageOf("", "", "C.UTF-8"), EditorLanguage::AsWritten);
    EXPECT_EQ(EditorLanguageOf(nullptr, nullptr, "POSIX"), EditorLanguage::AsWritten);
    EXPECT_EQ(EditorLanguageOf(nullptr, nullptr, "ja_JP.UTF-8"), EditorLanguage::Japanese);
    EXPECT_EQ(EditorLanguageOf("C", nullptr, "ja_JP.UTF-8"), EditorLanguage::AsWritten) << "LC_ALL comes first";
    EXPECT_EQ(EditorLanguageOf(nullptr, "de_DE.UTF-8", "ja_JP.UTF-8"), EditorLanguage::English);
    EXPECT_EQ(EditorLanguageOf(nullptr, nullptr, "en_US.UTF-8"), EditorLanguage::English);
}

TEST(EditorLanguage, TheCataloguesTranslateBothWays) {
    auto& application = *QCoreApplication::instance();
    EXPECT_EQ(EditorText("ファイル(&F)"), QStringLiteral("ファイル(&F)"));
    {
        const EditorTranslations english = InstallEditorTranslations(application, EditorLanguage::English);
        ASSERT_NE(english.own, nullptr) << "quillon_en.qm is built into the program";
        EXPECT_EQ(EditorText("ファイル(&F)"), QStringLiteral("&File"));
        EXPECT_EQ(EditorText("上書き保存しますか？"), QStringLiteral("Overwrite the file?"));
        EXPECT_EQ(EditorText("データのロードに失敗しました。"), QStringLiteral("The data could not be loaded."));
    }
    {
        const EditorTranslations written = InstallEditorTranslations(application, EditorLanguage::AsWritten);
        EXPECT_EQ(written.own, nullptr);
        EXPECT_EQ(EditorText("ファイル(&F)"), QStringLiteral("ファイル(&F)"));
    }
    {
        const EditorTranslations japanese = InstallEditorTranslations(application, EditorLanguage::Japanese);
        ASSERT_NE(japanese.own, nullptr);
        EXPECT_EQ(EditorText("ファイル(&F)"), QStringLiteral("ファイル(&F)"));
        StageWindow window(std::make_unique<ScriptedPrompts>());
        EXPECT_EQ(window.menuBar()->actions().at(0)->text(), QStringLiteral("ファイル(&F)"));
        EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("ステージエディタ"))) << window.windowTitle().toStdString();
    }
    EXPECT_EQ(EditorText("ファイル(&F)"), QStringLiteral("ファイル(&F)")) << "the translators leave with their owner";
}

TEST(StageWindowFromTheMenu, TheObjectEditorsStageMenuOpensIt) {
    MainDialog mainDialog(std::make_unique<ScriptedPrompts>());
    mainDialog.Create();
    QAction* command = mainDialog.MenuCommand(40011);
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->text(), QStringLiteral("ステージエディタ(&E)"));
    command->trigger();
    StageWindow* opened = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<StageWindow*>(widget); window && window->isVisible()) opened = window;
    }
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(opened->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_TRUE(opened->close()) << "a new, unchanged stage closes without a question";
}

TEST_F(StageWindowTest, AnUnsolvableStageExportsWithoutPar) {
    ASSERT_TRUE(window->OpenFile(path));
    WaitForVerdict(0);
    window->SelectTool(PaletteIndexOf(CELL_EMPTY));
    const int shown = window->VerdictsShown();
    Click(window->View(), window->View()->CentreOf({11, 5}));  // the door is gone
    WaitForVerdict(shown);
    EXPECT_TRUE(window->VerdictPanelText().contains(QStringLiteral("no longer solvable")))
        << window->VerdictPanelText().toStdString();
    const QString map = folder.filePath(QStringLiteral("unsolvable.map"));
    ASSERT_TRUE(window->ExportStageFile(map));
    QFile file(map);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const StageFileResult exported = ParseStageFile(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    ASSERT_TRUE(exported);
    EXPECT_EQ(exported.stage.par, 255) << "no par for a stage nobody can clear";
}
