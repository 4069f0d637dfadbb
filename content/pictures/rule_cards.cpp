// SPDX-License-Identifier: GPL-3.0-or-later
#include "rule_cards.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "palette.h"
#include "pictures.h"
#include "scenery.h"
#include "stage_source.h"
#include "picgen/effects.h"
#include "picgen/shapes.h"

namespace pictures {

using namespace picgen;

namespace {

constexpr int kCell = Board::kCellPixels;
constexpr int kPad = 6;          // inside the card's rim
constexpr int kMarkerRoom = 8;   // above the tiles, for the stepped-on marker
constexpr int kChevron = 28;     // between the tiles before and after
constexpr int kLineHeight = 13;
constexpr int kGap = 4;          // between the tiles and the text

RuleCard GoalRule() {
    return {{CELL_MARK_1, CELL_MARK_2, CELL_GOAL_2},
            {CELL_MARK_2, CELL_MARK_2, CELL_GOAL_2},
            0,
            {"Land on a mark to count it up.", "When every mark shows the goal's number,",
             "step on the goal to clear the stage."}};
}

RuleCard Counting(int limit) {
    const auto top = static_cast<std::uint8_t>(limit);
    std::string cycle;
    for (int v = 1; v <= limit; ++v) cycle += std::to_string(v) + ", ";
    return {{top, CELL_MARK_1},
            {CELL_MARK_1, CELL_MARK_1},
            0,
            {"Here marks count " + cycle + "then 1 again:",
             "land on a " + std::to_string(limit) + " and it turns back to 1."}};
}

RuleCard GoalChoice() {
    return {{CELL_GOAL_1, CELL_MARK_1, CELL_GOAL_2, CELL_MARK_2},
            {},
            -1,
            {"A opens when every mark shows 1,", "B when every mark shows 2:", "pick the door that costs fewer steps."}};
}

RuleCard ArrowOne() {
    return {{CELL_ARROW_RIGHT, CELL_MARK_1, CELL_FLOOR},
            {CELL_ARROW_RIGHT, CELL_MARK_2, CELL_FLOOR},
            0,
            {"Step on an arrow: it advances the mark", "in its line. A line stops at the first",
             "cell that is not a mark."}};
}

RuleCard ArrowRun() {
    return {{CELL_ARROW_RIGHT, CELL_MARK_1, CELL_MARK_1, CELL_FLOOR},
            {CELL_ARROW_RIGHT, CELL_MARK_2, CELL_MARK_2, CELL_FLOOR},
            0,
            {"An arrow advances every mark in its line,", "up to the first cell that is not a mark."}};
}

RuleCard Burst() {
    return {{CELL_MARK_1, CELL_BURST, CELL_MARK_1, CELL_MARK_1},
            {CELL_MARK_2, CELL_BURST, CELL_MARK_2, CELL_MARK_1},
            1,
            {"A burst advances the marks on all eight", "cells around it, corners too; none further."}};
}

RuleCard WarpPair() {
    return {{CELL_WARP_A, CELL_FLOOR, CELL_WARP_A},
            {CELL_WARP_A, CELL_FLOOR, CELL_WARP_A},
            0,
            {"A warp carries you to its twin:", "the lines show where. Step off and on", "again to be carried back."},
            2};
}

RuleCard WarpChain() {
    return {{CELL_WARP_A, CELL_WARP_A, CELL_WARP_A},
            {CELL_WARP_A, CELL_WARP_A, CELL_WARP_A},
            2,
            {"Three warps: the first and second lead to", "each other, the third to the first and",
             "never back. The lines show the way."},
            0};
}

RuleCard Eraser() {
    return {{CELL_ERASER, CELL_MARK_2, CELL_MARK_1, CELL_GOAL_2},
            {CELL_ERASER, kCardHole, kCardHole, CELL_GOAL_2},
            0,
            {"The eraser makes the next five marks you", "step on into holes. A goal does nothing",
             "until all five are used."}};
}

std::optional<RuleCard> CardOfName(const std::string& name, const StageSource& source) {
    if (name == "mark") return source.markLimit <= 2 ? GoalRule() : Counting(source.markLimit);
    if (name.rfind("goal", 0) == 0) return GoalChoice();
    if (name == "arrow" || name == "arrow-one") return ArrowOne();
    if (name == "arrow-run") return ArrowRun();
    if (name.rfind("burst", 0) == 0) return Burst();
    if (name == "warp-chain") return WarpChain();
    if (name.rfind("warp", 0) == 0) {
        // A taught warp code on three or more cells is a chain.
        const std::uint8_t code = name == "warp11" ? CELL_WARP_B : CELL_WARP_A;
        int cells = 0;
        for (int r = Board::kFirstPlayRow; r <= Board::kLastPlayRow; ++r)
            for (int c = Board::kFirstPlayColumn; c <= Board::kLastPlayColumn; ++c) cells += source.board.At(c, r) == code;
        return cells >= 3 ? WarpChain() : WarpPair();
    }
    if (name == "eraser") return Eraser();
    return std::nullopt;
}

Font CardFont() { return {"DejaVu Sans", false, 11}; }

int TilesWidth(const RuleCard& card) {
    int width = kCell * static_cast<int>(card.before.size());
    if (!card.after.empty()) width += kChevron + kCell * static_cast<int>(card.after.size());
    return width;
}

std::pair<int, int> CardSize(const RuleCard& card) {
    int width = TilesWidth(card);
    for (const std::string& line : card.lines) width = std::max(width, TextMask(line, CardFont()).Width());
    const int height = kMarkerRoom + kCell + kGap + kLineHeight * static_cast<int>(card.lines.size());
    return {width + 2 * kPad, height + 2 * kPad};
}

// Whether a card may cover a cell: nothing of the board is drawn there.
bool FreeCell(const Board& board, int column, int row) {
    if (column < Board::kFirstPlayColumn || column > Board::kLastPlayColumn) return false;
    if (row < Board::kFirstPlayRow || row > Board::kLastPlayRow + 1) return false;
    auto empty = [&](int c, int r) { return r > Board::kLastPlayRow || board.At(c, r) == CELL_EMPTY; };
    // A tile's front face hangs over the cell below it; the figure's head
    // reaches up into the cell above the one it stands on.
    return empty(column, row) && empty(column, row - 1) && empty(column, row + 1);
}

void Tile(Canvas& c, const Canvas& tiles, std::uint8_t code, int x, int y) {
    if (code == kCardHole) {
        // An emptied cell: a dark socket sunk into the card.
        c.Fill(Box(x + 2.0f, y + 2.0f, kCell - 4.0f, kCell - 4.0f, 4), WithAlpha(Hex(0x05060f), 0.9f));
        c.Fill(Outline(Box(x + 2.0f, y + 2.0f, kCell - 4.0f, kCell - 4.0f, 4), 1), WithAlpha(palette::kStoneDark, 0.9f));
        return;
    }
    Canvas face = tiles.Crop({kCell * (code - 1), 0, kCell, kCell});
    c.Draw(Tinted(face, WithAlpha(Hex(0x000000), 0.45f)), x + 1, y + 2);
    c.Draw(face, x, y);
}

// A small gold wedge pointing down at the tile stepped on.
void Marker(Canvas& c, int x, int y) {
    const float cx = x + kCell / 2.0f;
    Sdf wedge = Polygon({{cx - 6, static_cast<float>(y)}, {cx + 6, static_cast<float>(y)}, {cx, y + 6.0f}});
    c.Fill(Grow(wedge, 1), WithAlpha(palette::kInk, 0.9f));
    c.Fill(wedge, palette::kGold);
}

void Chevron(Canvas& c, float x, float y) {
    Sdf chevron = Polygon({{x + 20, y}, {x + 11, y - 7}, {x + 11, y - 3}, {x + 4, y - 3}, {x + 4, y + 3},
                           {x + 11, y + 3}, {x + 11, y + 7}});
    c.Fill(Grow(chevron, 1.2f), WithAlpha(palette::kInk, 0.8f));
    c.Fill(chevron, palette::kGold);
}

}  // namespace

std::optional<RuleCard> RuleCardOf(const StageSource& source) {
    for (const std::string& name : source.design.teaches) {
        if (auto card = CardOfName(name, source)) return card;
    }
    return std::nullopt;
}

std::optional<RuleCardLayout> PlaceRuleCard(const RuleCard& card, const Board& board,
                                            const std::vector<std::pair<float, float>>& keepClear) {
    const auto [width, height] = CardSize(card);
    const int columns = (width + kCell - 1) / kCell, rows = (height + kCell - 1) / kCell;
    // Nearest to the middle of the walkable cells, so the eye finds it.
    float mx = 0, my = 0;
    int walkable = 0;
    for (int r = Board::kFirstPlayRow; r <= Board::kLastPlayRow; ++r)
        for (int c = Board::kFirstPlayColumn; c <= Board::kLastPlayColumn; ++c)
            if (board.At(c, r) != CELL_EMPTY) {
                mx += kCell * (c + 0.5f);
                my += kCell * (r + 0.5f);
                ++walkable;
            }
    if (walkable > 0) {
        mx /= static_cast<float>(walkable);
        my /= static_cast<float>(walkable);
    }
    std::optional<RuleCardLayout> best;
    float bestDistance = std::numeric_limits<float>::max();
    for (int top = Board::kFirstPlayRow; top + rows - 1 <= Board::kLastPlayRow + 1; ++top)
        for (int left = Board::kFirstPlayColumn; left + columns - 1 <= Board::kLastPlayColumn; ++left) {
            bool free = true;
            for (int r = top; r < top + rows && free; ++r)
                for (int c = left; c < left + columns && free; ++c) free = FreeCell(board, c, r);
            if (!free) continue;
            const Rect box{kCell * left + (kCell * columns - width) / 2, kCell * top + (kCell * rows - height) / 2,
                           width, height};
            const bool clear = std::none_of(keepClear.begin(), keepClear.end(), [&](const auto& p) {
                return p.first > box.x - 6 && p.first < box.x + box.w + 6 && p.second > box.y - 6 &&
                       p.second < box.y + box.h + 6;
            });
            if (!clear) continue;
            const float d = std::hypot(box.x + box.w / 2.0f - mx, box.y + box.h / 2.0f - my);
            if (d >= bestDistance) continue;
            bestDistance = d;
            RuleCardLayout layout;
            layout.card = card;
            layout.box = box;
            layout.font = CardFont();
            layout.tilesY = box.y + kPad + kMarkerRoom;
            layout.beforeX = box.x + (box.w - TilesWidth(card)) / 2;
            layout.afterX = layout.beforeX + kCell * static_cast<int>(card.before.size()) + kChevron;
            layout.linesY = layout.tilesY + kCell + kGap;
            best = layout;
        }
    return best;
}

void DrawRuleCard(Canvas& c, const RuleCardLayout& layout) {
    const RuleCard& card = layout.card;
    const Rect& box = layout.box;
    PanelBox(c, static_cast<float>(box.x), static_cast<float>(box.y), static_cast<float>(box.w),
             static_cast<float>(box.h), WithAlpha(Hex(0x101028), 0.86f));
    const Canvas tiles = Tiles().canvas;
    for (std::size_t i = 0; i < card.before.size(); ++i) {
        Tile(c, tiles, card.before[i], layout.beforeX + kCell * static_cast<int>(i), layout.tilesY);
    }
    if (card.stepped >= 0) Marker(c, layout.beforeX + kCell * card.stepped, layout.tilesY - kMarkerRoom);
    if (!card.after.empty()) {
        Chevron(c, static_cast<float>(layout.afterX - kChevron), layout.tilesY + kCell / 2.0f);
        for (std::size_t i = 0; i < card.after.size(); ++i) {
            Tile(c, tiles, card.after[i], layout.afterX + kCell * static_cast<int>(i), layout.tilesY);
        }
        if (card.arrived >= 0) Marker(c, layout.afterX + kCell * card.arrived, layout.tilesY - kMarkerRoom);
    }
    for (std::size_t i = 0; i < card.lines.size(); ++i) {
        DrawText(c, card.lines[i], layout.font, box.x + kPad, layout.linesY + kLineHeight * static_cast<int>(i),
                 Solid(palette::kCream));
    }
}

}  // namespace pictures
