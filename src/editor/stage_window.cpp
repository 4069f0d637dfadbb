// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/stage_window.h"

#include "editor/board_view.h"
#include "editor/tile_pictures.h"
#include "editor/verdict_text.h"
#include "palette.h"
#include "solver.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kDebounceMs = 150;
constexpr int kAdviceWaitMs = 50;

QIcon ToolIcon(const PaletteEntry& entry, const TilePictures& tiles) {
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(QColor(40, 44, 60));
    QPainter painter(&icon);
    if (entry.kind == PaletteEntry::Kind::Start) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setBrush(QColor(250, 120, 170));
        painter.drawEllipse(QRectF(8, 4, 16, 16));
        painter.setPen(Qt::white);
        painter.drawText(QRect(0, 16, 32, 16), Qt::AlignCenter, QStringLiteral("S"));
    } else if (entry.code != CELL_EMPTY) {
        const QImage tile = tiles.Tile(entry.code);
        if (!tile.isNull()) painter.drawImage(QPoint(0, 0), tile, QRect(0, 0, 32, 32));
        else painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QString::number(entry.code));
    }
    return QIcon(QPixmap::fromImage(icon.scaled(48, 48)));
}

QString Tr(const char* text) { return QCoreApplication::translate("StageWindow", text); }

bool ReadWhole(const QString& path, std::vector<std::uint8_t>& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray data = file.readAll();
    bytes.assign(data.begin(), data.end());
    return true;
}

bool WriteWhole(const QString& path, const QByteArray& data) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
}

}  // namespace

StageWindow::StageWindow(std::unique_ptr<EditorPrompts> prompts, QWidget* parent)
    : QMainWindow(parent), prompts_(std::move(prompts)) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->addWidget(BuildPalette(), 0, Qt::AlignTop);
    view_ = new BoardView(central);
    view_->SetZoom(2);
    view_->setFocusPolicy(Qt::StrongFocus);
    auto* boardColumn = new QVBoxLayout();
    boardColumn->addWidget(view_);
    adviceLabel_ = new QLabel(central);
    adviceLabel_->setWordWrap(true);
    adviceLabel_->setMinimumHeight(adviceLabel_->fontMetrics().lineSpacing() * 2);
    boardColumn->addWidget(adviceLabel_);
    boardColumn->addStretch(1);
    row->addLayout(boardColumn);
    row->addWidget(BuildProperties(), 1);
    setCentralWidget(central);
    BuildMenus();
    connect(view_, &BoardView::CellPainted, this, &StageWindow::OnCellPainted);

    debounce_ = new QTimer(this);
    debounce_->setSingleShot(true);
    debounce_->setInterval(kDebounceMs);
    connect(debounce_, &QTimer::timeout, this, &StageWindow::RequestVerdict);
    adviceWait_ = new QTimer(this);
    adviceWait_->setInterval(kAdviceWaitMs);
    connect(adviceWait_, &QTimer::timeout, this, [this] {
        if (!advice_ || advice_->Ready()) adviceWait_->stop();
        RefreshAdvice();
    });
    worker_ = std::make_unique<VerdictWorker>([this](const Verdict& verdict, std::uint64_t request) {
        // To the window's own thread; ShowVerdict drops it if an edit came since.
        QMetaObject::invokeMethod(this, [this, verdict, request] { ShowVerdict(verdict, request); }, Qt::QueuedConnection);
    });
    SelectTool(tool_);
    DocumentChanged();
    document_.MarkSaved();
    RefreshTitle();
}

StageWindow::~StageWindow() { worker_.reset(); }

void StageWindow::BuildMenus() {
    auto add = [this](QMenu* menu, const QString& name, const QString& text, const QKeySequence& keys, auto slot) {
        QAction* action = menu->addAction(text);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
        commands_[name] = action;
        return action;
    };
    QMenu* file = menuBar()->addMenu(Tr("&File"));
    add(file, "new", Tr("&New Stage"), QKeySequence::New, [this] { NewStage(); });
    add(file, "open", Tr("&Open..."), QKeySequence::Open, [this] { OpenCommand(); });
    add(file, "save", Tr("&Save"), QKeySequence::Save, [this] { Save(false); });
    add(file, "saveAs", Tr("Save &As..."), QKeySequence::SaveAs, [this] { Save(true); });
    file->addSeparator();
    add(file, "export", Tr("&Export Stage File..."), QKeySequence(Qt::CTRL | Qt::Key_E), [this] { ExportCommand(); });
    add(file, "playInGame", Tr("Play in the &Game"), QKeySequence(Qt::CTRL | Qt::Key_G), [this] { PlayInGame(); });
    file->addSeparator();
    add(file, "close", Tr("&Close"), QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { close(); });
    QMenu* edit = menuBar()->addMenu(Tr("&Edit"));
    add(edit, "undo", Tr("&Undo"), QKeySequence::Undo, [this] {
        if (session_) session_->Undo(), hintWanted_ = false, RefreshViews();
        else if (document_.Undo()) DocumentChanged();
    });
    add(edit, "redo", Tr("&Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [this] {
        if (session_) session_->Redo(), hintWanted_ = false, RefreshViews();
        else if (document_.Redo()) DocumentChanged();
    });
    QMenu* play = menuBar()->addMenu(Tr("&Play"));
    add(play, "play", Tr("&Play Here / Back to Editing"), QKeySequence(Qt::Key_F5), [this] { TogglePlay(); });
}

QWidget* StageWindow::BuildPalette() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setSpacing(2);
    auto* group = new QButtonGroup(box);
    group->setExclusive(true);
    const TilePictures tiles;
    const std::span<const PaletteEntry> palette = Palette();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        auto* button = new QToolButton(box);
        button->setCheckable(true);
        button->setIcon(ToolIcon(palette[i], tiles));
        button->setIconSize(QSize(48, 48));
        button->setToolTip(QCoreApplication::translate("Palette", palette[i].name));
        button->setFocusPolicy(Qt::NoFocus);
        group->addButton(button, static_cast<int>(i));
        grid->addWidget(button, static_cast<int>(i / 2), static_cast<int>(i % 2));
        toolButtons_.push_back(button);
    }
    connect(group, &QButtonGroup::idClicked, this, [this](int id) { SelectTool(id); });
    return box;
}

QWidget* StageWindow::BuildProperties() {
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    auto* form = new QFormLayout();
    titleEdit_ = new QLineEdit(panel);
    limitSpin_ = new QSpinBox(panel);
    limitSpin_->setRange(1, kMaxMarkLimit);
    titleEdit_->setMaxLength(255);
    backgroundEdit_ = new QLineEdit(panel);
    backgroundEdit_->setMaxLength(255);  // the stage file's limit, in UTF-16 units as Qt counts
    backgroundEdit_->setPlaceholderText(Tr("the stage's own picture"));
    teachesEdit_ = new QLineEdit(panel);
    teachesEdit_->setPlaceholderText(QStringLiteral("mark arrow arrow-run ..."));
    featuresEdit_ = new QLineEdit(panel);
    featuresEdit_->setPlaceholderText(QStringLiteral("arrow burst warp10 ..."));
    trapsCheck_ = new QCheckBox(Tr("allowed"), panel);
    parLabel_ = new QLabel(panel);
    form->addRow(Tr("Name"), titleEdit_);
    form->addRow(Tr("Mark limit"), limitSpin_);
    form->addRow(Tr("Background"), backgroundEdit_);
    form->addRow(Tr("Teaches"), teachesEdit_);
    form->addRow(Tr("Features"), featuresEdit_);
    form->addRow(Tr("Traps"), trapsCheck_);
    form->addRow(Tr("Par"), parLabel_);
    column->addLayout(form);
    auto* heading = new QLabel(QStringLiteral("<b>%1</b>").arg(Tr("Verdict")), panel);
    column->addWidget(heading);
    verdictLabel_ = new QLabel(Tr("Judging..."), panel);
    verdictLabel_->setWordWrap(true);
    verdictLabel_->setTextFormat(Qt::RichText);
    verdictLabel_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    verdictLabel_->setMinimumWidth(380);
    column->addWidget(verdictLabel_, 1);
    timingLabel_ = new QLabel(panel);
    column->addWidget(timingLabel_);

    for (QLineEdit* edit : {titleEdit_, backgroundEdit_, teachesEdit_, featuresEdit_}) {
        connect(edit, &QLineEdit::editingFinished, this, &StageWindow::PropertiesEdited);
    }
    connect(limitSpin_, &QSpinBox::valueChanged, this, &StageWindow::PropertiesEdited);
    connect(trapsCheck_, &QCheckBox::toggled, this, &StageWindow::PropertiesEdited);
    return panel;
}

QAction* StageWindow::Command(const QString& name) const {
    const auto it = commands_.find(name);
    return it == commands_.end() ? nullptr : it->second;
}

void StageWindow::SelectTool(int index) {
    if (index < 0 || index >= static_cast<int>(Palette().size())) return;
    tool_ = index;
    toolButtons_[static_cast<std::size_t>(index)]->setChecked(true);
}

void StageWindow::OnCellPainted(BoardCell cell, bool continues, bool right) {
    if (session_) return;
    const PaletteEntry& tool = right ? PaletteEntryOfCode(CELL_EMPTY) : Palette()[static_cast<std::size_t>(tool_)];
    if (document_.Paint(cell, tool, continues)) DocumentChanged();
}

void StageWindow::PropertiesEdited() {
    if (updatingFields_) return;
    const StageSource before = document_.Stage();
    document_.SetTitle(titleEdit_->text().toStdString());
    document_.SetMarkLimit(static_cast<std::uint8_t>(limitSpin_->value()));
    document_.SetBackgroundName(backgroundEdit_->text().trimmed().toStdString());
    StageDesign design;
    const QRegularExpression between(QStringLiteral("[\\s,]+"));
    for (const QString& word : teachesEdit_->text().split(between, Qt::SkipEmptyParts)) {
        if (IsTeachableKind(word.toStdString())) design.teaches.push_back(word.toStdString());
    }
    for (const QString& word : featuresEdit_->text().split(between, Qt::SkipEmptyParts)) {
        if (IsFeatureKind(word.toStdString())) design.features.push_back(word.toStdString());
    }
    design.trapsAllowed = trapsCheck_->isChecked();
    document_.SetDesign(design);
    if (!(document_.Stage() == before)) DocumentChanged();
    else RefreshViews();
}

void StageWindow::DocumentChanged() {
    RefreshViews();
    RefreshTitle();
    debounce_->start();  // a newer edit restarts the wait, and outdates any search under way
    timingLabel_->setText(Tr("Judging..."));
}

void StageWindow::RefreshViews() {
    const StageSource& stage = document_.Stage();
    const int number = StageNumber();
    const std::string backgroundName = stage.backgroundName.empty()
                                           ? (number > 0 ? OwnBackgroundName(number) : std::string("bg1.bfg"))
                                           : stage.backgroundName;
    // A picture beside the stage first, as the game looks for it in a folder of stages.
    const QString beside = path_.isEmpty() ? QString() : QFileInfo(path_).dir().filePath(QString::fromStdString(backgroundName));
    const QString key = beside + QLatin1Char('|') + QString::fromStdString(backgroundName);
    if (key != backgroundKey_) {
        backgroundKey_ = key;
        background_ = !beside.isEmpty() && QFileInfo::exists(beside) ? TilePictures::PictureAt(beside) : QImage();
        if (background_.isNull()) background_ = TilePictures::GamePicture(QString::fromStdString(backgroundName));
    }
    const QImage& background = background_;
    if (session_) {
        view_->Show(session_->board(), session_->PlayerCell(), background);
        const QString state = session_->Cleared() ? Tr("Cleared in %1 steps!").arg(session_->Steps())
                                                  : Tr("Steps: %1").arg(session_->Steps());
        statusBar()->showMessage(state + QStringLiteral("   ") +
                                 Tr("Arrow keys move, H shows a hint, Backspace undoes, S redoes, C starts over, F5 goes back to editing"));
    } else {
        view_->Show(stage.board, stage.start, background);
        statusBar()->showMessage(Tr("Click or drag to paint; right button empties; F5 plays the stage here"));
    }
    updatingFields_ = true;
    titleEdit_->setText(QString::fromStdString(stage.title));
    limitSpin_->setValue(stage.markLimit);
    backgroundEdit_->setText(QString::fromStdString(stage.backgroundName));
    QStringList taught;
    for (const std::string& t : stage.design.teaches) taught << QString::fromStdString(t);
    teachesEdit_->setText(taught.join(QLatin1Char(' ')));
    QStringList features;
    for (const std::string& f : stage.design.features) features << QString::fromStdString(f);
    featuresEdit_->setText(features.join(QLatin1Char(' ')));
    trapsCheck_->setChecked(stage.design.trapsAllowed);
    updatingFields_ = false;
    Command("undo")->setEnabled(session_ || document_.CanUndo());
    Command("redo")->setEnabled(session_ || document_.CanRedo());
    for (QWidget* field : std::initializer_list<QWidget*>{titleEdit_, limitSpin_, backgroundEdit_, teachesEdit_,
                                                          featuresEdit_, trapsCheck_}) {
        field->setEnabled(!session_);
    }
    RefreshAdvice();
}

void StageWindow::RefreshAdvice() {
    using Kind = InPlaceAdviceAnswer::Kind;
    std::optional<StepDirection> arrow;
    QString text;
    bool lost = false;
    if (session_ && advice_) {
        const InPlaceAdviceAnswer answer = advice_->Advise(*session_);
        lost = answer.kind == Kind::Lost;
        if (lost) {
            text = Tr("No clear is possible from here.") + QLatin1Char(' ') +
                   (answer.undoSteps == 1   ? Tr("Undo 1 step (Backspace), or C to start over.")
                    : answer.undoSteps > 1 ? Tr("Undo %1 steps (Backspace), or C to start over.").arg(answer.undoSteps)
                                           : Tr("Press C to start over."));
        } else if (hintWanted_) {
            switch (answer.kind) {
                case Kind::Live:
                    arrow = answer.next;
                    text = (answer.toClear == 1 ? Tr("1 step to clear from here.")
                                                : Tr("%1 steps to clear from here.").arg(answer.toClear)) +
                           QLatin1Char(' ') +
                           (answer.parInReach ? Tr("Par %1 is still within reach.") : Tr("Par %1 is out of reach now."))
                               .arg(answer.optimum);
                    break;
                case Kind::Thinking: text = Tr("Thinking..."); break;
                case Kind::TooLarge: text = Tr("Too large to search within the memory bound."); break;
                case Kind::Lost:
                case Kind::Over: break;
            }
        }
    }
    view_->SetHint(arrow);
    adviceLabel_->setText(text);
    // A lost position stands out as the verdict panel's broken rules do.
    adviceLabel_->setStyleSheet(lost ? QStringLiteral("color: #c00000;") : QString());
}

QString StageWindow::AdviceText() const { return adviceLabel_->text(); }

void StageWindow::EndPlay() {
    session_.reset();
    advice_.reset();  // stops a search still under way
    adviceWait_->stop();
    hintWanted_ = false;
}

void StageWindow::RefreshTitle() {
    const QString name = path_.isEmpty() ? Tr("Untitled stage") : QFileInfo(path_).fileName();
    setWindowTitle(QStringLiteral("%1[*] — %2").arg(name, Tr("Quillon stage editor")));
    setWindowModified(document_.Modified());
}

int StageWindow::StageNumber() const {
    return path_.isEmpty() ? 0 : StageNumberOfSourceName(QFileInfo(path_).fileName().toStdString());
}

void StageWindow::RequestVerdict() {
    VerdictSubject subject;
    subject.stage = document_.StageForPlay();
    subject.design = document_.Stage().design;
    subject.file = path_.isEmpty() ? std::string("stage") : path_.toStdString();
    subject.number = StageNumber();
    subject.others = others_;
    requestClock_.start();
    worker_->Request(std::move(subject));
}

void StageWindow::ShowVerdict(const Verdict& verdict, std::uint64_t request) {
    // An edit since the request: its verdict is on its way, this one is out of date.
    if (request != worker_->Latest() || debounce_->isActive()) return;
    lastVerdictSeconds_ = requestClock_.isValid() ? requestClock_.elapsed() / 1000.0 : 0;
    const std::vector<VerdictChange> changes =
        shownVerdict_ ? VerdictChanges(*shownVerdict_, verdict) : std::vector<VerdictChange>();
    previousVerdict_ = shownVerdict_;
    shownVerdict_ = verdict;
    shownRequest_ = request;
    verdictLabel_->setText(VerdictHtml(verdict, changes));
    parLabel_->setText(verdict.solvable ? Tr("%1 (the solver's optimum)").arg(verdict.optimum) : Tr("none: not solvable"));
    timingLabel_->setText(Tr("Judged in %1 s").arg(lastVerdictSeconds_, 0, 'f', 3));
    ++verdictsShown_;
    emit VerdictShown();
}

QString StageWindow::VerdictPanelText() const {
    QTextDocument text;
    text.setHtml(verdictLabel_->text());
    return text.toPlainText();
}

void StageWindow::TogglePlay() {
    if (session_) {
        EndPlay();  // the stage is as it was when play began: play never touched it
    } else {
        const StageData stage = document_.StageForPlay();
        session_.emplace(stage);
        // The advisor searches while the author plays: the hint and the
        // dead-end warning appear once it is done.
        advice_ = std::make_unique<InPlaceAdvice>(stage);
        adviceWait_->start();
        view_->setFocus();
    }
    for (QToolButton* button : toolButtons_) button->setEnabled(!session_);
    RefreshViews();
}

void StageWindow::keyPressEvent(QKeyEvent* event) {
    if (!session_) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
        case Qt::Key_Left: session_->Step(StepDirection::Left); break;
        case Qt::Key_Up: session_->Step(StepDirection::Up); break;
        case Qt::Key_Right: session_->Step(StepDirection::Right); break;
        case Qt::Key_Down: session_->Step(StepDirection::Down); break;
        case Qt::Key_Backspace:
        case Qt::Key_U:
            if (shift) session_->Redo();
            else session_->Undo();
            break;
        case Qt::Key_A: session_->Undo(); break;
        case Qt::Key_S: session_->Redo(); break;
        case Qt::Key_C: session_->Restart(); break;
        case Qt::Key_H:
            hintWanted_ = true;
            RefreshAdvice();
            return;
        default: QMainWindow::keyPressEvent(event); return;
    }
    hintWanted_ = false;  // a hint belongs to the position it was asked in
    RefreshViews();
}

bool StageWindow::ConfirmDiscard() {
    if (!document_.Modified()) return true;
    const QMessageBox::StandardButton answer =
        prompts_->ShowMessage(this, Tr("The stage has changes that are not saved. Save them first?"),
                              Tr("Quillon stage editor"), QMessageBox::Question,
                              QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Save) return Save(false);
    return answer == QMessageBox::Discard;
}

void StageWindow::closeEvent(QCloseEvent* event) {
    if (ConfirmDiscard()) event->accept();
    else event->ignore();
}

void StageWindow::NewStage() {
    if (!ConfirmDiscard()) return;
    EndPlay();
    document_ = StageDocument();
    path_.clear();
    others_.clear();
    shownVerdict_.reset();
    DocumentChanged();
}

void StageWindow::OpenCommand() {
    if (!ConfirmDiscard()) return;
    const QString path = prompts_->AskFileName(FileDialogKind::Open, QStringLiteral("stage"),
                                               Tr("Stages (*.stage *.map);;All files (*)"));
    if (!path.isEmpty()) OpenFile(path);
}

bool StageWindow::OpenFile(const QString& path) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWhole(path, bytes)) {
        prompts_->ShowMessage(this, Tr("%1 cannot be read.").arg(path), Tr("Quillon stage editor"),
                              QMessageBox::Warning, QMessageBox::Ok);
        return false;
    }
    StageDocument::Opened opened = StageDocument::FromBytes(bytes);
    if (!opened.document) {
        prompts_->ShowMessage(this, Tr("%1 is not a stage: %2").arg(path, QString::fromStdString(opened.error)),
                              Tr("Quillon stage editor"), QMessageBox::Warning, QMessageBox::Ok);
        return false;
    }
    EndPlay();
    document_ = std::move(*opened.document);
    path_ = QFileInfo(path).absoluteFilePath();
    others_ = path_.endsWith(QStringLiteral(".stage")) ? OtherStagesBeside(path_.toStdString()) : std::vector<CritiquedStage>();
    shownVerdict_.reset();
    DocumentChanged();
    return true;
}

bool StageWindow::SaveSource(const QString& path) {
    const std::string text = document_.SourceText();
    if (!WriteWhole(path, QByteArray::fromStdString(text))) {
        prompts_->ShowMessage(this, Tr("%1 cannot be written.").arg(path), Tr("Quillon stage editor"),
                              QMessageBox::Warning, QMessageBox::Ok);
        return false;
    }
    // From now on the document is that text: later saves keep its lines.
    StageDocument::Opened reread = StageDocument::FromSourceText(text);
    if (reread.document) document_ = std::move(*reread.document);
    document_.MarkSaved();
    path_ = QFileInfo(path).absoluteFilePath();
    others_ = OtherStagesBeside(path_.toStdString());
    RefreshTitle();
    RefreshViews();
    return true;
}

bool StageWindow::Save(bool askForName) {
    QString path = path_;
    if (askForName || path.isEmpty() || !path.endsWith(QStringLiteral(".stage"))) {
        path = prompts_->AskFileName(FileDialogKind::Save, QStringLiteral("stage"), Tr("Stage sources (*.stage)"));
        if (path.isEmpty()) return false;
    }
    return SaveSource(path);
}

std::uint8_t StageWindow::ParForExport() const {
    // The verdict on the stage as it stands already knows the optimum.
    if (shownVerdict_ && shownRequest_ == worker_->Latest() && !debounce_->isActive()) {
        return shownVerdict_->solvable ? static_cast<std::uint8_t>(shownVerdict_->optimum) : std::uint8_t{255};
    }
    const SolveResult solved = SolveStage(document_.StageForPlay());
    return solved.status == SolveStatus::Solved ? static_cast<std::uint8_t>(solved.Steps()) : std::uint8_t{255};
}

bool StageWindow::ExportStageFile(const QString& path) {
    const std::vector<std::uint8_t> bytes = document_.StageFileBytes(ParForExport(), StageNumber());
    if (!WriteWhole(path, QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())))) {
        prompts_->ShowMessage(this, Tr("%1 cannot be written.").arg(path), Tr("Quillon stage editor"),
                              QMessageBox::Warning, QMessageBox::Ok);
        return false;
    }
    return true;
}

void StageWindow::ExportCommand() {
    const QString path = prompts_->AskFileName(FileDialogKind::Save, QStringLiteral("map"), Tr("Stage files (*.map)"));
    if (!path.isEmpty()) ExportStageFile(path);
}

void StageWindow::PlayInGame() {
    const QString game = GameProgram();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/play");
    QDir(folder).removeRecursively();
    if (game.isEmpty() || !QDir().mkpath(folder) || !ExportStageFile(folder + QStringLiteral("/stage1.map"))) {
        prompts_->ShowMessage(this, Tr("The game cannot be started."), Tr("Quillon stage editor"), QMessageBox::Warning,
                              QMessageBox::Ok);
        return;
    }
    QProcess::startDetached(game, {folder});
}
