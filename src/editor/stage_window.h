// SPDX-License-Identifier: GPL-3.0-or-later
// Quillon's stage editor: a second window that draws a stage with the game's
// tiles, judges it after every edit (the critic on a worker thread), plays
// it in place, and opens, saves and exports stage sources and stage files.
#pragma once

#include "editor/prompts.h"
#include "in_place_advice.h"
#include "play_session.h"
#include "stage_document.h"
#include "verdict_worker.h"

#include <QElapsedTimer>
#include <QImage>
#include <QMainWindow>
#include <QString>

#include <map>
#include <memory>
#include <vector>
#include <optional>

class BoardView;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTimer;
class QToolButton;

class StageWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit StageWindow(std::unique_ptr<EditorPrompts> prompts = std::make_unique<QtPrompts>(),
                         QWidget* parent = nullptr);
    ~StageWindow() override;

    // Opens a stage source or stage file; on failure says why and keeps the
    // stage it had.
    bool OpenFile(const QString& path);
    // Writes the readable source to path; it becomes the window's file.
    bool SaveSource(const QString& path);
    // Writes the stage file the game reads, with the solver's optimum as par.
    bool ExportStageFile(const QString& path);

    const StageDocument& Document() const { return document_; }
    const QString& FilePath() const { return path_; }
    BoardView* View() const { return view_; }
    // The verdict panel's text, as shown.
    QString VerdictPanelText() const;
    // Verdicts shown so far, and the last one's time from request to panel.
    int VerdictsShown() const { return verdictsShown_; }
    double LastVerdictSeconds() const { return lastVerdictSeconds_; }
    // Chooses the palette tool by its index in Palette().
    void SelectTool(int index);
    // Between editing and playing the board.
    void TogglePlay();
    bool Playing() const { return session_.has_value(); }
    const PlaySession* Session() const { return session_ ? &*session_ : nullptr; }
    // The hint or dead-end warning under the board while playing, as shown.
    QString AdviceText() const;
    // The advisor of the play under way; null while editing.
    const InPlaceAdvice* Advice() const { return advice_.get(); }
    // Menu commands by name, for the tests: "new", "open", "save", "saveAs",
    // "export", "playInGame", "undo", "redo", "play", "close".
    QAction* Command(const QString& name) const;

signals:
    // A verdict reached the panel.
    void VerdictShown();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildMenus();
    QWidget* BuildPalette();
    QWidget* BuildProperties();
    void OnCellPainted(BoardCell cell, bool continues, bool right);
    // After every edit: the views, the title, and a judging soon.
    void DocumentChanged();
    void RefreshViews();
    void RefreshTitle();
    void RequestVerdict();
    void ShowVerdict(const Verdict& verdict, std::uint64_t request);
    bool ConfirmDiscard();
    bool Save(bool askForName);
    void NewStage();
    void OpenCommand();
    void ExportCommand();
    void PlayInGame();
    std::uint8_t ParForExport() const;
    int StageNumber() const;
    void PropertiesEdited();
    // Ends play in place: the advisor's search, if still running, stops.
    void EndPlay();
    // The hint (when asked for) and the dead-end warning for the position.
    void RefreshAdvice();

    std::unique_ptr<EditorPrompts> prompts_;
    StageDocument document_;
    QString path_;
    int tool_ = 9;  // floor
    std::vector<CritiquedStage> others_;  // the other stages of the file's folder
    std::optional<PlaySession> session_;
    std::unique_ptr<InPlaceAdvice> advice_;
    bool hintWanted_ = false;  // H was pressed in the current position
    std::optional<Verdict> shownVerdict_;
    std::optional<Verdict> previousVerdict_;
    std::uint64_t shownRequest_ = 0;  // the request the shown verdict answers
    int verdictsShown_ = 0;
    double lastVerdictSeconds_ = 0;
    QElapsedTimer requestClock_;
    bool updatingFields_ = false;
    QString backgroundKey_;  // the background picture shown, read once per name
    QImage background_;

    BoardView* view_ = nullptr;
    QLabel* verdictLabel_ = nullptr;
    QLabel* parLabel_ = nullptr;
    QLabel* timingLabel_ = nullptr;
    QLabel* adviceLabel_ = nullptr;
    QLineEdit* titleEdit_ = nullptr;
    QSpinBox* limitSpin_ = nullptr;
    QLineEdit* backgroundEdit_ = nullptr;
    QLineEdit* teachesEdit_ = nullptr;
    QLineEdit* featuresEdit_ = nullptr;
    QCheckBox* trapsCheck_ = nullptr;
    std::vector<QToolButton*> toolButtons_;
    std::map<QString, QAction*> commands_;
    QTimer* debounce_ = nullptr;
    QTimer* adviceWait_ = nullptr;  // looks for the advisor's search to finish
    std::unique_ptr<VerdictWorker> worker_;  // last: stopped first
};
