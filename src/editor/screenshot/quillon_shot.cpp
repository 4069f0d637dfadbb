// SPDX-License-Identifier: GPL-3.0-or-later
// Takes the README's picture of Quillon: the main dialog with a picture strip
// loaded, cut into objects, named and given a direction.
//   quillon_shot MAIN.png [SIZE.png]
// The second picture, if asked for, is the object-size dialog as it is answered.
#include "bfg_encode.h"
#include "editor/main_dialog.h"
#include "editor/resource_ids.h"

#include <QApplication>
#include <QBuffer>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace quillon;

namespace {

// Hands the prepared picture to the first file question; every message is an error.
class ReadyAnswers final : public EditorPrompts {
public:
    explicit ReadyAnswers(QString picture) : picture_(std::move(picture)) {}
    QString AskFileName(FileDialogKind, const QString&, const QString&) override {
        return std::exchange(picture_, QString());
    }
    QMessageBox::StandardButton ShowMessage(QWidget*, const QString& text, const QString&, QMessageBox::Icon,
                                            QMessageBox::StandardButtons) override {
        std::fprintf(stderr, "quillon_shot: unexpected message: %s\n", qPrintable(text));
        failed = true;
        return QMessageBox::Ok;
    }
    bool failed = false;

private:
    QString picture_;
};

// Six 32x64 frames of a small walking figure on a dark ground.
QImage DrawStrip() {
    constexpr int kFrames = 6;
    QImage strip(32 * kFrames, 64, QImage::Format_RGB32);
    strip.fill(QColor(28, 32, 48));
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor cloaks[kFrames] = {QColor(220, 80, 70),  QColor(230, 150, 60), QColor(220, 200, 80),
                                    QColor(90, 190, 110), QColor(80, 150, 220), QColor(160, 110, 210)};
    for (int k = 0; k < kFrames; ++k) {
        const int x = 32 * k;
        const int stride = (k % 3 - 1) * 4;  // the legs swing back and forth
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(40, 44, 64));
        painter.drawEllipse(QRectF(x + 6, 56, 20, 5));
        painter.setPen(QPen(QColor(60, 50, 40), 3, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(x + 14, 44), QPointF(x + 14 - stride, 57));
        painter.drawLine(QPointF(x + 18, 44), QPointF(x + 18 + stride, 57));
        painter.setPen(Qt::NoPen);
        painter.setBrush(cloaks[k]);
        painter.drawRoundedRect(QRectF(x + 9, 24, 14, 22), 4, 4);
        painter.setBrush(QColor(250, 215, 180));
        painter.drawEllipse(QRectF(x + 8, 8, 16, 16));
        painter.setBrush(QColor(30, 30, 30));
        painter.drawEllipse(QRectF(x + 18, 14, 3, 3));
        painter.setBrush(cloaks[k].darker(140));
        painter.drawChord(QRectF(x + 7, 6, 18, 12), 0, 180 * 16);
    }
    return strip;
}

bool WritePicture(const QString& path) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    DrawStrip().save(&buffer, "PNG");
    BlowfishState cipher;
    KeyWithBfgKey(cipher);
    const std::vector<uint8_t> bfg =
        EncodeBfg(std::span(reinterpret_cast<const uint8_t*>(png.constData()), static_cast<std::size_t>(png.size())),
                  cipher);
    cipher.Release();
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char*>(bfg.data()), static_cast<qint64>(bfg.size())) ==
               static_cast<qint64>(bfg.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: quillon_shot MAIN.png [SIZE.png]\n");
        return 2;
    }
    QApplication application(argc, argv);
    QTemporaryDir folder;
    const QString picture = folder.filePath("hero.bfg");
    if (!folder.isValid() || !WritePicture(picture)) {
        std::fprintf(stderr, "quillon_shot: cannot write the picture\n");
        return 1;
    }

    auto answers = std::make_unique<ReadyAnswers>(picture);
    ReadyAnswers* prompts = answers.get();
    MainDialog dialog(std::move(answers));
    QDialog* window = dialog.Create();
    window->show();

    // Answer the object-size dialog the way a person would.
    const QString sizeShot = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    QTimer::singleShot(0, [&dialog, &sizeShot] {
        qobject_cast<QLineEdit*>(dialog.sizeDialog.Control(kIdWidthEdit))->setText("32");
        qobject_cast<QLineEdit*>(dialog.sizeDialog.Control(kIdHeightEdit))->setText("64");
        if (!sizeShot.isEmpty()) {
            dialog.sizeDialog.hwnd->grab().save(sizeShot);
        }
        qobject_cast<QPushButton*>(dialog.sizeDialog.Control(kIdOk))->click();
    });
    dialog.OnCommand(kIdLoadPicture);

    const char* names[] = {"立ち", "歩き1", "歩き2", "走り1", "走り2", "跳び"};
    const char* attributes[] = {"0", "1", "1", "2", "2", "3"};
    for (int k = 0; k < 6 && k < dialog.listView->count(); ++k) {
        dialog.listView->setCurrentRow(k);
        qobject_cast<QLineEdit*>(dialog.Control(kIdNameEdit))->setText(QString::fromUtf8(names[k]));
        qobject_cast<QLineEdit*>(dialog.Control(kIdAttributeEdit))->setText(attributes[k]);
        dialog.OnCommand(kIdWrite);
    }
    dialog.listView->setCurrentRow(1);
    qobject_cast<QRadioButton*>(dialog.Control(kIdDirectionRight))->setChecked(true);

    for (int k = 0; k < 10; ++k) {
        QApplication::processEvents();
    }
    const QPixmap shot = window->grab();
    if (prompts->failed || dialog.listView->count() != 6 || !shot.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "quillon_shot: no screenshot\n");
        return 1;
    }
    std::printf("quillon_shot: %dx%d written to %s\n", shot.width(), shot.height(), argv[1]);
    return 0;
}
