// SPDX-License-Identifier: GPL-3.0-or-later
// The stage editor's playing area (columns 2-17, rows 2-11) drawn with the
// game's tile pictures at a whole-number zoom; clicks and drags on it paint.
#pragma once

#include "editor/tile_pictures.h"
#include "play/board.h"
#include "play/tile_rules.h"

#include <QImage>
#include <QWidget>

#include <optional>

class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(QWidget* parent = nullptr);

    // What to draw: the board, the figure's cell (the start while editing),
    // and the stage's background picture (may be null).
    void Show(const Board& board, BoardCell figure, const QImage& background);
    // The hinted step: an arrow drawn in the cell it walks to; none hides it.
    void SetHint(std::optional<StepDirection> step);
    std::optional<StepDirection> Hint() const { return hint_; }
    void SetZoom(int zoom);
    int Zoom() const { return zoom_; }
    // The cell under a point of the widget; column -1 outside the playing area.
    BoardCell CellAt(QPoint point) const;
    // The centre of a cell in widget coordinates (for tests driving the mouse).
    QPoint CentreOf(BoardCell cell) const;

    QSize sizeHint() const override;

signals:
    // A press (continues false) or a drag over another cell (true); right: the right button.
    void CellPainted(BoardCell cell, bool continues, bool right);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void DrawCell(class QPainter& painter, BoardCell cell, std::uint8_t code) const;
    void DrawHint(class QPainter& painter) const;

    TilePictures tiles_;
    Board board_;
    BoardCell figure_;
    std::optional<StepDirection> hint_;
    QImage background_;
    int zoom_ = 2;
    bool dragging_ = false;
    bool rightDrag_ = false;
    BoardCell lastCell_{-1, -1};
};
