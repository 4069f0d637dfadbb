// SPDX-License-Identifier: GPL-3.0-or-later
// Places controls by the dialog units of the editor's dialog layouts, scaled
// to the dialog's font the way dialog templates are: an x unit is a quarter
// of the font's average character width, a y unit an eighth of its height.
#pragma once

#include <QRect>

class QFont;
class QWidget;

class DialogLayout {
public:
    explicit DialogLayout(const QFont& font);

    // The pixel rectangle of a rectangle given in dialog units.
    QRect ToPixels(int x, int y, int width, int height) const;

    // Places control at the rectangle given in dialog units. A push button
    // keeps that rectangle and its text is made to fit; any other control
    // whose text needs more room grows right and keeps its vertical centre.
    void Place(QWidget* control, int x, int y, int width, int height) const;

    // Sizes client to width x height dialog units, or more if a child reaches further.
    void FitClient(QWidget* client, int width, int height) const;

private:
    int baseX_ = 0;  // average character width in pixels
    int baseY_ = 0;  // character height in pixels
};
