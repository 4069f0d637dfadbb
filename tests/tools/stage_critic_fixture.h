// SPDX-License-Identifier: GPL-3.0-or-later
// Small stages for the critic's tests, written as sources: each picture is
// drawn from the playing area's top-left corner, the rest of it is empty.
#pragma once

#include "critique.h"
#include "design_rules.h"
#include "stage_input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class StageCriticTest : public ::testing::Test {
protected:
    static std::string Source(std::vector<std::string> rows, int limit = 2, const std::string& design = "") {
        std::string text = "limit: " + std::to_string(limit) + "\nbackground: bg1.bfg\n" + design + "map:\n";
        for (std::string& row : rows) {
            row.resize(16, '.');
            text += row + "\n";
        }
        for (std::size_t r = rows.size(); r < 10; ++r) text += "................\n";
        return text;
    }

    static CritiquedStage Critiqued(const std::string& file, std::vector<std::string> rows, int limit = 2,
                                    const std::string& design = "") {
        const StageInput input = StageInputOfSource(file, Source(std::move(rows), limit, design));
        EXPECT_TRUE(input.ok) << input.error;
        CritiquedStage stage;
        stage.file = file;
        stage.number = StageNumberOfFile(file);
        stage.design = input.design;
        stage.critique = CritiqueStage(input.stage);
        return stage;
    }

    static const KindNecessity* Necessity(const Critique& critique, const std::string& kind) {
        for (const KindNecessity& n : critique.necessity) {
            if (n.kind == kind) return &n;
        }
        return nullptr;
    }

    // The breaches of one rule, as messages.
    static std::vector<std::string> Breaches(const std::vector<CritiquedStage>& stages, int rule) {
        std::vector<std::string> messages;
        for (const RuleBreach& breach : CheckDesignRules(stages)) {
            if (breach.rule == rule) messages.push_back(breach.Message());
        }
        return messages;
    }

    // Hand-worked stages, limit 2 unless said.
    // A corridor: the mark needs one landing, then the goal.
    static std::vector<std::string> Corridor() { return {"S2A"}; }
    // The arrow clears both marks at once (3 steps); without it the first
    // mark must be landed on three times (9 steps).
    static std::vector<std::string> ArrowNeeded() { return {"S>22", "A..."}; }
    // The marks are right from the start: straight over the floor is 2 steps;
    // over the burst it takes 4 (fire it twice, or fire it and fix the mark).
    static std::vector<std::string> BurstHazard() { return {"S*A", "-1-", "---"}; }
    // Warps W1 (first in search order), W2, W3: W3 leads to W1, W1 to W2,
    // W2 back to W1, so leaving the start's part through W3 is one-way. The
    // mark must be fixed first: RLRR leaves with it wrong.
    static std::vector<std::string> OneWayWarps() { return {"W-A", "...", "W-.", "...", "S2W"}; }
    // The eraser above the start: with one mark on the board its five
    // erasures can never be used up, and the goal never clears again.
    static std::vector<std::string> EraserTrap() { return {"E-..", "S2-A"}; }
};
