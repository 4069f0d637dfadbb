// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/board_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kCell = Board::kCellPixels;
constexpr int kAreaWidth = Board::kPlayColumns * kCell;  // 512
constexpr int kAreaHeight = Board::kPlayRows * kCell;    // 320

// A colour per code for drawing without the game's pictures.
QColor PlainColour(std::uint8_t code) {
    if (IsMark(code)) return QColor(80, 140, 220);
    if (IsGoal(code)) return QColor(230, 190, 40);
    if (IsWarp(code)) return QColor(170, 90, 210);
    if (IsArrow(code)) return QColor(220, 110, 60);
    if (code == CELL_BURST) return QColor(220, 60, 60);
    if (code == CELL_ERASER) return QColor(240, 240, 240);
    return QColor(150, 150, 140);
}

}  // namespace

BoardView::BoardView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(false);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void BoardView::Show(const Board& board, BoardCell figure, const QImage& background) {
    board_ = board;
    figure_ = figure;
    background_ = background;
    update();
}

void BoardView::SetHint(std::optional<StepDirection> step) {
    if (hint_ == step) return;
    hint_ = step;
    update();
}

void BoardView::SetZoom(int zoom) {
    zoom_ = std::max(1, zoom);
    updateGeometry();
    setFixedSize(sizeHint());
    update();
}

QSize BoardView::sizeHint() const { return {kAreaWidth * zoom_, kAreaHeight * zoom_}; }

BoardCell BoardView::CellAt(QPoint point) const {
    if (point.x() < 0 || point.y() < 0) return {-1, -1};
    const int column = point.x() / (kCell * zoom_) + Board::kFirstPlayColumn;
    const int row = point.y() / (kCell * zoom_) + Board::kFirstPlayRow;
    if (!Board::InPlayingArea(column, row)) return {-1, -1};
    return {column, row};
}

QPoint BoardView::CentreOf(BoardCell cell) const {
    return {((cell.column - Board::kFirstPlayColumn) * kCell + kCell / 2) * zoom_,
            ((cell.row - Board::kFirstPlayRow) * kCell + kCell / 2) * zoom_};
}

void BoardView::DrawCell(QPainter& painter, BoardCell cell, std::uint8_t code) const {
    const QPoint at((cell.column - Board::kFirstPlayColumn) * kCell, (cell.row - Board::kFirstPlayRow) * kCell);
    const QImage tile = tiles_.Tile(code);
    if (!tile.isNull()) {
        painter.drawImage(at, tile);
        return;
    }
    painter.fillRect(QRect(at, QSize(kCell, kCell)).adjusted(1, 1, -1, -1), PlainColour(code));
    painter.setPen(Qt::black);
    painter.drawText(QRect(at, QSize(kCell, kCell)), Qt::AlignCenter, QString::number(code));
}

void BoardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.scale(zoom_, zoom_);  // whole-number zoom: every pixel a sharp square
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (!background_.isNull()) {
        painter.drawImage(QPoint(0, 0), background_,
                          QRect(Board::kFirstPlayColumn * kCell, Board::kFirstPlayRow * kCell, kAreaWidth, kAreaHeight));
    } else {
        painter.fillRect(QRect(0, 0, kAreaWidth, kAreaHeight), QColor(24, 28, 40));
    }
    // Faint grid lines show where the cells are, empty ones too.
    painter.setPen(QColor(255, 255, 255, 28));
    for (int x = 0; x <= kAreaWidth; x += kCell) painter.drawLine(x, 0, x, kAreaHeight);
    for (int y = 0; y <= kAreaHeight; y += kCell) painter.drawLine(0, y, kAreaWidth, y);
    // Row by row from the top: each tile's side covers the top of the cell below.
    painter.setClipRect(QRect(0, 0, kAreaWidth, kAreaHeight));
    for (int row = Board::kFirstPlayRow; row <= Board::kLastPlayRow; ++row) {
        for (int column = Board::kFirstPlayColumn; column <= Board::kLastPlayColumn; ++column) {
            const std::uint8_t code = board_.At(column, row);
            if (code != CELL_EMPTY) DrawCell(painter, {column, row}, code);
        }
    }
    if (Board::InPlayingArea(figure_.column, figure_.row)) {
        const QRectF cell((figure_.column - Board::kFirstPlayColumn) * kCell,
                          (figure_.row - Board::kFirstPlayRow) * kCell, kCell, kCell);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(QColor(20, 20, 20), 1.5));
        painter.setBrush(QColor(250, 120, 170));
        painter.drawEllipse(cell.adjusted(8, 4, -8, -12));
        painter.setBrush(QColor(250, 220, 200));
        painter.drawEllipse(cell.adjusted(11, 2, -11, -20));
    }
    DrawHint(painter);
}

// A fat yellow arrow in the cell the hinted step walks to, as the game draws it.
void BoardView::DrawHint(QPainter& painter) const {
    if (!hint_ || !Board::InPlayingArea(figure_.column, figure_.row)) return;
    const BoardCell target = StepTarget(figure_, *hint_);
    const QPointF centre((target.column - Board::kFirstPlayColumn) * kCell + kCell / 2.0,
                         (target.row - Board::kFirstPlayRow) * kCell + kCell / 2.0);
    // Pointing right, then turned to the step's direction.
    const QPolygonF arrow({{-13, -4}, {0, -4}, {0, -11}, {12, 0}, {0, 11}, {0, 4}, {-13, 4}});
    qreal angle = 0;
    switch (*hint_) {
        case StepDirection::Right: angle = 0; break;
        case StepDirection::Down: angle = 90; break;
        case StepDirection::Left: angle = 180; break;
        case StepDirection::Up: angle = 270; break;
    }
    painter.save();
    painter.translate(centre);
    painter.rotate(angle);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(40, 24, 0), 1.5));
    painter.setBrush(QColor(255, 236, 96));
    painter.drawPolygon(arrow);
    painter.restore();
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    const BoardCell cell = CellAt(event->position().toPoint());
    if (cell.column < 0 || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)) return;
    dragging_ = true;
    rightDrag_ = event->button() == Qt::RightButton;
    lastCell_ = cell;
    emit CellPainted(cell, false, rightDrag_);
}

void BoardView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return;
    const BoardCell cell = CellAt(event->position().toPoint());
    if (cell.column < 0 || cell == lastCell_) return;
    lastCell_ = cell;
    emit CellPainted(cell, true, rightDrag_);
}

void BoardView::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }
