#include "editor/dialog_layout.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
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
    return QRect(x * baseX_ / 4, y * baseY_ / 8, width * baseX_ / 4, height * baseY_ / 8);
}

void DialogLayout::Place(QWidget* control, int x, int y, int width, int height) const {
    QRect rect = ToPixels(x, y, width, height);
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
