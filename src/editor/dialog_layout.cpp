// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/dialog_layout.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

#include <algorithm>

DialogLayout::DialogLayout(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabet =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = std::max(1, (alphabet / 26 + 1) / 2);
    baseY_ = std::max(1, metrics.height());
}

QRect DialogLayout::ToPixels(int x, int y, int width, int height) const {
    // Edges are converted, not sizes, so controls that end on the same unit
    // end on the same pixel.
    const int left = x * baseX_ / 4;
    const int top = y * baseY_ / 8;
    return QRect(QPoint(left, top), QPoint((x + width) * baseX_ / 4 - 1, (y + height) * baseY_ / 8 - 1));
}

namespace {

// True when the button's text fits its contents area at the button's size.
bool TextFits(const QPushButton* button, const QSize& size) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.rect = QRect(QPoint(0, 0), size);
    option.text = button->text();
    const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const QFontMetrics metrics = button->fontMetrics();
    return metrics.horizontalAdvance(button->text()) <= contents.width() && metrics.height() <= contents.height();
}

// A push button keeps the size the layout gives it, as every button of a
// dialog template does; its text is set smaller until it fits.
void FitButtonText(QPushButton* button, const QSize& size) {
    constexpr qreal kSmallestPoints = 6;
    QFont font = button->font();
    while (!TextFits(button, size) && font.pointSizeF() > kSmallestPoints) {
        font.setPointSizeF(std::max(kSmallestPoints, font.pointSizeF() - 0.5));
        button->setFont(font);
    }
}

}  // namespace

void DialogLayout::Place(QWidget* control, int x, int y, int width, int height) const {
    QRect rect = ToPixels(x, y, width, height);
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        FitButtonText(button, rect.size());
        control->setGeometry(rect);
        return;
    }
    // Texts in another script or font can be wider than the layout planned.
    QSize needed = control->minimumSizeHint();
    if (qobject_cast<QLabel*>(control) != nullptr || qobject_cast<QAbstractButton*>(control) != nullptr) {
        needed = needed.expandedTo(control->sizeHint());
    }
    const QPoint centre = rect.center();
    rect.setWidth(std::max(rect.width(), needed.width()));
    if (needed.height() > rect.height()) {
        rect.setHeight(needed.height());
        rect.moveTop(centre.y() - needed.height() / 2);
    }
    control->setGeometry(rect);
}

void DialogLayout::FitClient(QWidget* client, int width, int height) const {
    QRect bounds = ToPixels(0, 0, width, height);
    const int margin = baseX_;
    for (const QWidget* child : client->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        bounds = bounds.united(child->geometry().adjusted(0, 0, margin, margin / 2));
    }
    client->setFixedSize(bounds.size());
}
