// SPDX-License-Identifier: GPL-3.0-or-later
#include "stage_backgrounds.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "palette.h"
#include "scenery.h"
#include "stage_source.h"
#include "picgen/effects.h"
#include "picgen/shapes.h"
#include "play/tile_rules.h"

namespace pictures {

using namespace picgen;

namespace {

constexpr int kCell = Board::kCellPixels;
constexpr int kNamePlateX = 6;
constexpr int kNamePlateRight = 362;  // the counter plate starts at 372
constexpr int kCycleTop = 422;        // below the board's lowest front face (416)
constexpr int kBadgeStep = 50;        // a badge and the arrow after it

// The glow of each warp code, as on its tile.
Rgba WarpGlow(std::uint8_t code) { return code == CELL_WARP_B ? Hex(0xe070f0) : Hex(0x50d8f0); }

Point CellCentre(BoardCell cell) {
    return {kCell * cell.column + kCell / 2.0f, kCell * cell.row + kCell / 2.0f};
}

// A point on the link's curve: a quadratic bow to the right of its direction,
// so the two ways between a pair stay apart from a one-way link.
Point OnCurve(Point a, Point b, float bow, float t) {
    float mx = (a.first + b.first) / 2, my = (a.second + b.second) / 2;
    float dx = b.first - a.first, dy = b.second - a.second;
    Point control{mx - dy * bow, my + dx * bow};
    float u = 1 - t;
    return {u * u * a.first + 2 * u * t * control.first + t * t * b.first,
            u * u * a.second + 2 * u * t * control.second + t * t * b.second};
}

// The curve from a to b as short segments, and an arrowhead where it meets
// the destination's tile edge.
// `reach` is half the size of a cell at this scale.
// With `midHeads` the way is shown again in the middle of the curve, which
// on the board is often the only part the tiles leave in view.
void Link(Canvas& c, Point a, Point b, float bow, float halfWidth, float headSize, float reach, bool headAtStart,
          bool headAtEnd, Rgba colour, bool midHeads = false) {
    constexpr int kPieces = 32;
    auto inside = [](Point p, Point centre, float reach) {
        return std::abs(p.first - centre.first) < reach && std::abs(p.second - centre.second) < reach;
    };
    // Start and end the curve just outside both tiles: under them it would
    // not show anyway.
    float t0 = 0, t1 = 1;
    while (t0 < 0.5f && inside(OnCurve(a, b, bow, t0), a, reach)) t0 += 1.0f / 256;
    while (t1 > 0.5f && inside(OnCurve(a, b, bow, t1), b, reach)) t1 -= 1.0f / 256;
    auto head = [&](float tip, float back) {
        Point p = OnCurve(a, b, bow, tip), q = OnCurve(a, b, bow, back);
        float dx = p.first - q.first, dy = p.second - q.second, len = std::hypot(dx, dy);
        if (len <= 0) return;
        dx /= len;
        dy /= len;
        Point base{p.first - dx * headSize, p.second - dy * headSize};
        Sdf arrow = Polygon({p, {base.first - dy * headSize * 0.6f, base.second + dx * headSize * 0.6f},
                             {base.first + dy * headSize * 0.6f, base.second - dx * headSize * 0.6f}});
        c.Fill(arrow, Solid(colour), {static_cast<int>(p.first - 2 * headSize), static_cast<int>(p.second - 2 * headSize),
                               static_cast<int>(4 * headSize + 2), static_cast<int>(4 * headSize + 2)});
    };
    float shaftStart = headAtStart ? t0 + (t1 - t0) * 0.04f : t0;
    float shaftEnd = headAtEnd ? t1 - (t1 - t0) * 0.04f : t1;
    Point prev = OnCurve(a, b, bow, shaftStart);
    for (int i = 1; i <= kPieces; ++i) {
        Point next = OnCurve(a, b, bow, shaftStart + (shaftEnd - shaftStart) * i / kPieces);
        int x = static_cast<int>(std::min(prev.first, next.first) - halfWidth - 2);
        int y = static_cast<int>(std::min(prev.second, next.second) - halfWidth - 2);
        int w = static_cast<int>(std::abs(next.first - prev.first) + 2 * halfWidth + 5);
        int h = static_cast<int>(std::abs(next.second - prev.second) + 2 * halfWidth + 5);
        c.Fill(Segment(prev.first, prev.second, next.first, next.second, halfWidth), Solid(colour), {x, y, w, h});
        prev = next;
    }
    if (headAtEnd) head(t1, t1 - 0.06f);
    if (headAtStart) head(t0, t0 + 0.06f);
    if (midHeads) {
        const float middle = (t0 + t1) / 2, step = (t1 - t0) * 0.06f;
        if (headAtEnd) head(middle + (headAtStart ? 2 : 1) * step, middle);
        if (headAtStart) head(middle - 2 * step, middle);
    }
}

// One-way links bow aside; a link both ways runs straight.
float BowOf(const StageBackgroundLayout::WarpLink& link) { return link.bothWays ? 0.0f : 0.28f; }

// The links under the board: a dark rim, the warp's glow, a light core.
void BoardLinks(Canvas& c, const std::vector<StageBackgroundLayout::WarpLink>& links) {
    Canvas layer(640, 480);
    for (const auto& link : links) {
        Point a = CellCentre(link.from), b = CellCentre(link.to);
        float bow = BowOf(link);
        Link(layer, a, b, bow, 4.5f, 13, kCell / 2.0f + 1, link.bothWays, true, WithAlpha(palette::kInk, 0.85f), true);
    }
    Canvas light(640, 480);
    for (const auto& link : links) {
        Point a = CellCentre(link.from), b = CellCentre(link.to);
        float bow = BowOf(link);
        Link(light, a, b, bow, 2.5f, 10, kCell / 2.0f + 2.5f, link.bothWays, true, Shade(WarpGlow(link.code), 1.15f),
             true);
    }
    AddGlow(light, WarpGlow(0), 5, 0.7f);
    layer.Draw(light, 0, 0);
    c.Draw(layer, 0, 0);
}

// The board in small with the same links, where nothing covers them.
void LinkMap(Canvas& c, const Board& board, const std::vector<StageBackgroundLayout::WarpLink>& links) {
    constexpr int kSmall = 7;  // large enough to read at 1x
    const int width = kSmall * Board::kPlayColumns, height = kSmall * (Board::kLastPlayRow - Board::kFirstPlayRow + 1);
    const int left = 634 - width - 8, top = 476 - height - 6;
    PanelBox(c, left - 6, top - 4, width + 12, height + 8, WithAlpha(Hex(0x101028), 0.8f));
    auto corner = [&](BoardCell cell) {
        return Point{left + kSmall * (cell.column - Board::kFirstPlayColumn),
                     top + kSmall * (cell.row - Board::kFirstPlayRow)};
    };
    for (int row = Board::kFirstPlayRow; row <= Board::kLastPlayRow; ++row)
        for (int column = Board::kFirstPlayColumn; column <= Board::kLastPlayColumn; ++column) {
            std::uint8_t code = board.At(column, row);
            if (code == CELL_EMPTY) continue;
            auto [x, y] = corner({column, row});
            Rgba colour = IsWarp(code) ? WarpGlow(code) : WithAlpha(palette::kStone, 0.45f);
            c.FillRect({static_cast<int>(x), static_cast<int>(y), kSmall - 1, kSmall - 1}, colour);
        }
    for (const auto& link : links) {
        auto [ax, ay] = corner(link.from);
        auto [bx, by] = corner(link.to);
        Point a{ax + 3, ay + 3}, b{bx + 3, by + 3};
        Link(c, a, b, BowOf(link), 0.9f, 4.5f, kSmall / 2.0f, link.bothWays, true, palette::kCream);
    }
}

// One badge: the face of the mark tile of that value.
void Badge(Canvas& c, const Canvas& tiles, const StageBackgroundLayout::Badge& badge) {
    Canvas face = tiles.Crop({kCell * (badge.value - 1), 0, kCell, kCell});
    Canvas shadow = Tinted(face, WithAlpha(Hex(0x000000), 0.45f));
    c.Draw(shadow, badge.x + 1, badge.y + 2);
    c.Draw(face, badge.x, badge.y);
}

// A small chevron between two badges, its tip at (x, y).
void CycleArrow(Canvas& c, float x, float y) {
    Sdf chevron = Polygon({{x, y}, {x - 9, y - 7}, {x - 9, y - 3}, {x - 15, y - 3}, {x - 15, y + 3}, {x - 9, y + 3},
                           {x - 9, y + 7}});
    c.Fill(Grow(chevron, 1.2f), WithAlpha(palette::kInk, 0.8f));
    c.Fill(chevron, palette::kGold);
}

void DrawCycle(Canvas& c, const StageBackgroundLayout& layout) {
    const auto& cycle = layout.cycle;
    const int left = cycle.front().x - 64, right = cycle.back().x + kCell + 10;
    PanelBox(c, static_cast<float>(left), kCycleTop - 5, static_cast<float>(right - left), kCell + 10,
             WithAlpha(Hex(0x101028), 0.8f));
    Font label{"DejaVu Sans", true, 11};
    DrawText(c, "MARKS", label, left + 12, kCycleTop + 4, Solid(palette::kGold));
    DrawText(c, "count", {"DejaVu Sans", false, 10}, left + 14, kCycleTop + 17, Solid(WithAlpha(palette::kCream, 0.8f)));
    Canvas tiles = Tiles().canvas;
    for (std::size_t i = 0; i < cycle.size(); ++i) {
        Badge(c, tiles, cycle[i]);
        if (i + 1 < cycle.size()) CycleArrow(c, cycle[i].x + kBadgeStep - 3.0f, cycle[i].y + kCell / 2.0f);
    }
}

void DrawName(Canvas& c, const StageBackgroundLayout& layout) {
    Font label{"DejaVu Sans", true, 11};
    int right = layout.nameX + (layout.name.empty() ? 0 : TextMask(layout.name, layout.nameFont).Width()) + 12;
    PanelBox(c, kNamePlateX, 5, static_cast<float>(right - kNamePlateX), 30, WithAlpha(Hex(0x101028), 0.8f));
    DrawText(c, layout.label, label, kNamePlateX + 10, 13, Solid(palette::kGold));
    if (layout.name.empty()) return;
    Canvas text = TextMask(layout.name, layout.nameFont);
    Canvas shadow = Tinted(text, WithAlpha(palette::kInk, 0.9f));
    c.Draw(shadow, layout.nameX + 1, layout.nameY + 1);
    c.Draw(Tinted(text, layout.nameColour), layout.nameX, layout.nameY);
}

}  // namespace

std::pair<float, float> LinkMiddle(const StageBackgroundLayout::WarpLink& link) {
    return OnCurve(CellCentre(link.from), CellCentre(link.to), BowOf(link), 0.5f);
}

std::vector<std::pair<float, float>> LinkPoints(const StageBackgroundLayout::WarpLink& link) {
    std::vector<std::pair<float, float>> points;
    constexpr int kSteps = 64;
    for (int i = 0; i <= kSteps; ++i) {
        points.push_back(OnCurve(CellCentre(link.from), CellCentre(link.to), BowOf(link), static_cast<float>(i) / kSteps));
    }
    return points;
}

std::vector<StageBackgroundLayout::WarpLink> WarpChainLinks(const Board& board) {
    std::vector<StageBackgroundLayout::WarpLink> links;
    for (std::uint8_t code : {std::uint8_t{CELL_WARP_A}, std::uint8_t{CELL_WARP_B}}) {
        std::vector<BoardCell> cells;
        for (int row = Board::kFirstPlayRow; row <= Board::kLastPlayRow; ++row)
            for (int column = Board::kFirstPlayColumn; column <= Board::kLastPlayColumn; ++column)
                if (board.At(column, row) == code) cells.push_back({column, row});
        if (cells.size() < 2) continue;
        std::vector<StageBackgroundLayout::WarpLink> leads;
        for (BoardCell from : cells) {
            PlayerPlace standing;
            standing.x = kCell * from.column;
            standing.y = kCell * from.row;
            if (auto to = FindWarpPartner(board, code, standing)) leads.push_back({from, *to, false, code});
        }
        for (const auto& lead : leads) {
            auto back = std::find_if(leads.begin(), leads.end(), [&](const auto& other) {
                return other.from == lead.to && other.to == lead.from;
            });
            if (back == leads.end()) {
                links.push_back(lead);
            } else if (back - leads.begin() > &lead - leads.data()) {
                links.push_back({lead.from, lead.to, true, code});  // once for the two ways
            }
        }
    }
    return links;
}

StageBackgroundLayout LayoutStageBackground(const StageSource& source, int number) {
    StageBackgroundLayout layout;
    layout.number = number;
    layout.label = "STAGE " + std::to_string(number);
    layout.name = source.title;
    layout.nameColour = palette::kCream;
    Font label{"DejaVu Sans", true, 11};
    layout.nameX = kNamePlateX + 10 + TextMask(layout.label, label).Width() + 10;
    // The largest size at which the name fits left of the counters.
    layout.nameFont = {"DejaVu Serif", true, 17};
    while (layout.nameFont.pixelSize > 10 && !layout.name.empty() &&
           layout.nameX + TextMask(layout.name, layout.nameFont).Width() + 12 > kNamePlateRight)
        --layout.nameFont.pixelSize;
    if (!layout.name.empty()) layout.nameY = 20 - TextMask(layout.name, layout.nameFont).Height() / 2;
    for (int value = 1; value <= source.markLimit + 1; ++value) {
        int shown = value > source.markLimit ? 1 : value;
        layout.cycle.push_back({shown, 70 + kBadgeStep * (value - 1), kCycleTop});
    }
    layout.links = WarpChainLinks(source.board);
    if (const std::optional<RuleCard> card = RuleCardOf(source)) {
        std::vector<std::pair<float, float>> linkPoints;
        for (const auto& link : layout.links) {
            for (const auto& point : LinkPoints(link)) linkPoints.push_back(point);
        }
        layout.card = PlaceRuleCard(*card, source.board, linkPoints);
        if (!layout.card) throw std::runtime_error("no free place on the board for the rule card of stage " + std::to_string(number));
    }
    layout.hint = "X leave   C retry   A / U / Backspace undo   S / Shift+U redo   H hint";
    layout.hintX = 18;
    layout.hintY = 462;
    return layout;
}

Picture StageBackground(const StageSource& source, int number) {
    const StageBackgroundLayout layout = LayoutStageBackground(source, number);
    Canvas c(640, 480);
    // Neighbouring stages share a scenery, each under its own sky.
    StageScenery(c, 1 + (number - 1) / 5 % 3, static_cast<uint32_t>(number) * 1000);
    BoardShade(c);
    if (!layout.links.empty()) {
        BoardLinks(c, layout.links);
        LinkMap(c, source.board, layout.links);
    }
    if (layout.card) DrawRuleCard(c, *layout.card);
    CounterPlate(c);
    DrawName(c, layout);
    DrawCycle(c, layout);
    DrawText(c, layout.hint, {"DejaVu Sans", false, 12}, layout.hintX, layout.hintY,
             Solid(WithAlpha(Hex(0xf0e8ff), 0.85f)));
    return {c, Format::Opaque};
}

}  // namespace pictures
