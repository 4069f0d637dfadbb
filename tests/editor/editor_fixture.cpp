// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor_fixture.h"

#include "editor/resource_ids.h"
#include "bfg_encode.h"
#include "resources/blowfish.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <cstdlib>

using namespace quillon;

// The application for every test of this program, on the offscreen platform
// unless the environment asks for another.
class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        static int argc = 1;
        static char name[] = "test_editor";
        static char* argv[] = {name, nullptr};
        application_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { application_.reset(); }

private:
    std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] static ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

QString ScriptedPrompts::AskFileName(FileDialogKind kind, const QString& defaultSuffix, const QString& filter) {
    fileQuestions.push_back({kind, defaultSuffix, filter});
    if (fileAnswers.empty()) {
        return QString();
    }
    QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

QMessageBox::StandardButton ScriptedPrompts::ShowMessage(QWidget* owner, const QString& text,
                                                         const QString& caption, QMessageBox::Icon icon,
                                                         QMessageBox::StandardButtons buttons) {
    messages.push_back({owner, text, caption, icon, buttons});
    if (!buttonAnswers.empty()) {
        const auto answer = buttonAnswers.front();
        buttonAnswers.pop_front();
        return answer;
    }
    return buttons.testFlag(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok;
}

QImage MakeStrip(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(x & 0xFF, (x >> 8) * 40, y & 0xFF));
        }
    }
    return image;
}

QByteArray PngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void WriteBfg(const QString& path, const QByteArray& imageFile) {
    BlowfishState cipher;
    KeyWithBfgKey(cipher);
    const std::vector<uint8_t> file = EncodeBfg(
        std::span(reinterpret_cast<const uint8_t*>(imageFile.constData()), static_cast<std::size_t>(imageFile.size())),
        cipher);
    cipher.Release();
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    ASSERT_EQ(out.write(reinterpret_cast<const char*>(file.data()), static_cast<qint64>(file.size())),
              static_cast<qint64>(file.size()));
}

void EditorDialogTest::SetUp() {
    ASSERT_TRUE(folder_.isValid());
    auto scripted = std::make_unique<ScriptedPrompts>();
    prompts = scripted.get();
    dialog = std::make_unique<MainDialog>(std::move(scripted));
    ASSERT_NE(dialog->Create(), nullptr);
}

void EditorDialogTest::TearDown() {
    dialog.reset();
}

QString EditorDialogTest::MakePicture(const QString& name, int width, int height) {
    const QString path = PathOf(name);
    WriteBfg(path, PngBytes(MakeStrip(width, height)));
    return path;
}

void EditorDialogTest::AnswerSizeDialog(const QString& width, const QString& height, bool ok) {
    sizeDialogAnswered = false;
    // Runs inside the size dialog's own modal loop.
    QTimer::singleShot(0, [this, width, height, ok] {
        SizeDialog& size = dialog->sizeDialog;
        auto* widthEdit = qobject_cast<QLineEdit*>(size.Control(kIdWidthEdit));
        auto* heightEdit = qobject_cast<QLineEdit*>(size.Control(kIdHeightEdit));
        if (widthEdit == nullptr || heightEdit == nullptr) {
            return;
        }
        sizeDialogAnswered = widthEdit->text().isEmpty() && heightEdit->text().isEmpty();
        widthEdit->setText(width);
        heightEdit->setText(height);
        qobject_cast<QPushButton*>(size.Control(ok ? kIdOk : kIdCancel))->click();
    });
}

void EditorDialogTest::LoadPicture(const QString& path, const QString& width, const QString& height) {
    prompts->fileAnswers.push_back(path);
    AnswerSizeDialog(width, height, true);
    dialog->OnCommand(kIdLoadPicture);
    EXPECT_TRUE(sizeDialogAnswered);
}

void EditorDialogTest::EditObject(int k, const QString& name, const QString& attribute) {
    dialog->listView->setCurrentRow(k);
    qobject_cast<QLineEdit*>(dialog->Control(kIdNameEdit))->setText(name);
    qobject_cast<QLineEdit*>(dialog->Control(kIdAttributeEdit))->setText(attribute);
    qobject_cast<QPushButton*>(dialog->Control(kIdWrite))->click();
}

QStringList EditorDialogTest::ItemNames() const {
    QStringList names;
    for (int k = 0; k < dialog->listView->count(); ++k) {
        names << dialog->listView->item(k)->text();
    }
    return names;
}

QStringList EditorDialogTest::ItemAttributes() const {
    QStringList attributes;
    for (int k = 0; k < dialog->listView->count(); ++k) {
        attributes << dialog->listView->item(k)->data(Qt::UserRole).toString();
    }
    return attributes;
}

QString EditorDialogTest::EditText(int id) const {
    return qobject_cast<QLineEdit*>(dialog->Control(id))->text();
}

int EditorDialogTest::CheckedRadio() const {
    for (int k = 0; k < 4; ++k) {
        if (qobject_cast<QRadioButton*>(dialog->Control(kIdDirectionUp + k))->isChecked()) {
            return k;
        }
    }
    return -1;
}

QByteArray EditorDialogTest::FileBytes(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QByteArray();
    }
    return file.readAll();
}
