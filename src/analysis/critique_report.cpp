// SPDX-License-Identifier: GPL-3.0-or-later
#include "critique_report.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>

namespace {

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Fixed(double value, int digits) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", digits, value);
    return text;
}

std::string Moves(const std::vector<StepDirection>& moves) { return Quoted(MovesText(moves)); }

// "arrow+4", "burst-2", "warp10=", "eraser!" (unsolvable without), "goal6?" (unknown).
std::string NecessityShort(const KindNecessity& n) {
    switch (n.verdict) {
        case KindNecessity::Verdict::Unsolvable: return n.kind + "!";
        case KindNecessity::Verdict::Longer: return n.kind + "+" + std::to_string(n.change);
        case KindNecessity::Verdict::Equal: return n.kind + "=";
        case KindNecessity::Verdict::Shorter: return n.kind + std::to_string(n.change);
        case KindNecessity::Verdict::Unknown: return n.kind + "?";
    }
    return n.kind;
}

std::string Count(std::uint64_t value, bool atLeast) { return (atLeast ? ">=" : "") + std::to_string(value); }

}  // namespace

std::string CritiqueJson(const CritiquedStage& stage) {
    const Critique& c = stage.critique;
    std::string j = "{";
    j += "\"file\":" + Quoted(stage.file) + ",\"stage\":" + std::to_string(stage.number);
    j += ",\"solved\":" + std::string(c.optimum >= 0 ? "true" : "false");
    j += ",\"optimum\":" + std::to_string(c.optimum) + ",\"positions\":" + std::to_string(c.positions);
    j += ",\"solution\":" + Moves(c.solution);
    j += ",\"graph_complete\":" + std::string(c.graphComplete ? "true" : "false");
    j += ",\"states\":" + std::to_string(c.states) + ",\"dead_states\":" + std::to_string(c.deadStates);
    j += ",\"dead_share\":" + Fixed(c.DeadShare(), 4);
    j += ",\"trap_depth\":" + std::to_string(c.trapDepth) + ",\"trap_moves\":" + Moves(c.trapMoves);
    j += ",\"plans\":" + std::to_string(c.plans) + ",\"plans_at_least\":" + (c.plansAtLeast ? "true" : "false");
    j += ",\"move_lists\":" + std::to_string(c.moveLists) +
         ",\"move_lists_at_least\":" + (c.moveListsAtLeast ? "true" : "false");
    j += ",\"naive\":" + std::string(c.naive ? "true" : "false");
    j += ",\"ways_to_use\":{";
    bool first = true;
    for (const auto& [kind, ways] : c.waysToUse) {
        if (ways == 0) continue;
        j += (first ? "" : ",") + Quoted(kind) + ":" + std::to_string(ways);
        first = false;
    }
    j += "},\"necessity\":[";
    first = true;
    for (const KindNecessity& n : c.necessity) {
        j += (first ? "" : ",") + std::string("{\"kind\":") + Quoted(n.kind) + ",\"verdict\":" +
             Quoted(VerdictName(n.verdict)) + ",\"optimum\":" + std::to_string(n.optimum) +
             ",\"change\":" + std::to_string(n.change) + "}";
        first = false;
    }
    j += "],\"frozen_marks\":" + std::to_string(c.frozenMarks) + ",\"cells\":" + std::to_string(c.cells);
    j += ",\"shape\":" + Quoted(c.shape);
    j += ",\"relies_on\":" + Quoted(MechanicNames(c.reliesOn)) + ",\"meets\":" + Quoted(MechanicNames(c.meets));
    j += ",\"teaches\":[";
    first = true;
    for (const std::string& taught : stage.design.teaches) {
        j += (first ? "" : ",") + Quoted(taught);
        first = false;
    }
    j += "],\"features\":[";
    first = true;
    for (const std::string& kind : stage.design.features) {
        j += (first ? "" : ",") + Quoted(kind);
        first = false;
    }
    j += "],\"traps_allowed\":" + std::string(stage.design.trapsAllowed ? "true" : "false");
    j += ",\"seconds\":" + Fixed(c.seconds, 3) + ",\"peak_bytes\":" + std::to_string(c.peakBytes) + "}";
    return j;
}

std::string CritiqueTable(const std::vector<CritiquedStage>& stages) {
    // Shapes are named by the first stage that has them.
    std::map<std::string, std::string> shapeName;
    for (const CritiquedStage& stage : stages) {
        shapeName.emplace(stage.critique.shape, stage.number > 0 ? "s" + std::to_string(stage.number)
                                                                 : std::filesystem::path(stage.file).stem().string());
    }
    // The mechanics column is as wide as its longest entry.
    int reliesWidth = static_cast<int>(std::strlen("relies on"));
    for (const CritiquedStage& stage : stages) {
        reliesWidth = std::max(reliesWidth, static_cast<int>(MechanicNames(stage.critique.reliesOn).size()));
    }
    std::string out;
    char line[640];
    std::snprintf(line, sizeof line, "%-24s %4s %9s %9s %6s %5s %6s %10s %5s %3s %5s %-6s %-*s %s\n", "stage", "opt",
                  "positions", "states", "dead%", "trap", "plans", "movelists", "naive", "frz", "cells", "shape",
                  reliesWidth, "relies on", "without (kind: +longer -shorter =same !unsolvable)");
    out += line;
    for (const CritiquedStage& stage : stages) {
        const Critique& c = stage.critique;
        std::string necessity;
        for (const KindNecessity& n : c.necessity) necessity += (necessity.empty() ? "" : " ") + NecessityShort(n);
        const std::string name = std::filesystem::path(stage.file).filename().string();
        std::snprintf(line, sizeof line, "%-24.24s %4d %9llu %9s %6s %5s %6s %10s %5s %3d %5d %-6s %-*s %s\n", name.c_str(),
                      c.optimum, static_cast<unsigned long long>(c.positions),
                      (c.graphComplete ? std::to_string(c.states) : ">" + std::to_string(c.states)).c_str(),
                      Fixed(100 * c.DeadShare(), 1).c_str(), c.trapDepth < 0 ? "-" : std::to_string(c.trapDepth).c_str(),
                      Count(c.plans, c.plansAtLeast).c_str(), Count(c.moveLists, c.moveListsAtLeast).c_str(),
                      c.naive ? "yes" : "no", c.frozenMarks, c.cells, shapeName[c.shape].c_str(), reliesWidth,
                      MechanicNames(c.reliesOn).c_str(), necessity.c_str());
        out += line;
    }
    return out;
}
