// SPDX-License-Identifier: GPL-3.0-or-later
// The rule card a teaching stage's background carries: a small before and
// after drawn with the game's own tiles, and a line or two of plain English
// saying the rule the stage brings in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "picgen/canvas.h"
#include "picgen/text.h"
#include "play/board.h"

struct StageSource;

namespace pictures {

// Drawn where a card shows a cell emptied by the eraser.
constexpr std::uint8_t kCardHole = 0;

struct RuleCard {
    std::vector<std::uint8_t> before;  // tile codes, left to right
    std::vector<std::uint8_t> after;   // the same cells once the step is made
    int stepped = -1;                  // the cell of `before` stepped on, marked from above
    std::vector<std::string> lines;    // the rule, two or three short lines
    int arrived = -1;                  // the cell of `after` the step ends on, when not the same
};

// Where a card is drawn and what it holds, so tests can read it back.
struct RuleCardLayout {
    RuleCard card;
    picgen::Rect box;      // the whole card
    int tilesY = 0;        // top of the tile rows
    int beforeX = 0;       // left of the first tile before the step
    int afterX = 0;        // left of the first tile after it
    int linesY = 0;        // top of the first line of text
    picgen::Font font;
};

// The card for what a stage teaches, if it declares anything with a card.
std::optional<RuleCard> RuleCardOf(const StageSource& source);

// Places the card in the board's free area: only over cells that are empty,
// not under a tile's front face and not where the figure's head reaches
// over from the cell below, and clear of the points given (warp links).
std::optional<RuleCardLayout> PlaceRuleCard(const RuleCard& card, const Board& board,
                                            const std::vector<std::pair<float, float>>& keepClear);

void DrawRuleCard(picgen::Canvas& c, const RuleCardLayout& layout);

}  // namespace pictures
