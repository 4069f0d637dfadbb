// SPDX-License-Identifier: GPL-3.0-or-later
// Each stage's own background, drawn from its source: the stage's number and
// name, the cycle its marks count through, where the warps of a one-way chain
// lead, and the keys. Everything sits in the free area around the board
// except the warp links, which run under the board between their cells.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "pictures.h"
#include "rule_cards.h"
#include "picgen/text.h"
#include "play/board.h"

struct StageSource;

namespace pictures {

// Where the background shows what, so tests can read the pixels back.
struct StageBackgroundLayout {
    // A mark's face, 32 x 32 with its top-left at (x, y).
    struct Badge {
        int value = 1;
        int x = 0;
        int y = 0;
    };
    // A warp that leads to another; `bothWays` when that one leads back.
    struct WarpLink {
        BoardCell from;
        BoardCell to;
        bool bothWays = false;
        std::uint8_t code = 0;
    };

    int number = 0;
    std::string label;  // "STAGE <n>"
    std::string name;   // the source's title, drawn in nameFont, top-left at (nameX, nameY)
    picgen::Font nameFont;
    int nameX = 0;
    int nameY = 0;
    picgen::Rgba nameColour;
    std::vector<Badge> cycle;  // 1, 2, ..., limit, 1
    std::vector<WarpLink> links;
    std::optional<RuleCardLayout> card;  // on a stage that teaches something
    std::string hint;          // the keys, along the bottom
    int hintX = 0;
    int hintY = 0;
};

// The point of a badge where its mark colour shows plainly, off the numeral.
inline std::pair<int, int> BadgeColourPoint(const StageBackgroundLayout::Badge& badge) {
    return {badge.x + 7, badge.y + 16};
}

// The middle of a link's drawn curve on the board.
std::pair<float, float> LinkMiddle(const StageBackgroundLayout::WarpLink& link);
// Points along a link's drawn curve, ends included.
std::vector<std::pair<float, float>> LinkPoints(const StageBackgroundLayout::WarpLink& link);

// The layout of stage `number`'s background.
StageBackgroundLayout LayoutStageBackground(const StageSource& source, int number);
// The picture "stage<number>.bfg" for the stage.
Picture StageBackground(const StageSource& source, int number);

// Where each warp leads, by the game's own partner rule, for every warp code
// on two or more cells; a pair that leads both ways is one link.
std::vector<StageBackgroundLayout::WarpLink> WarpChainLinks(const Board& board);

}  // namespace pictures
