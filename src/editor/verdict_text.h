// SPDX-License-Identifier: GPL-3.0-or-later
// The verdict panel's words: a verdict and its changes since the previous
// one, as the author reads them ("optimum 19 → 17", "arrow no longer
// needed"), through Qt's translations.
#pragma once

#include "verdict.h"

#include <QString>
#include <QStringList>

// The name of a tile kind for people: "arrow", "warp W", "goal 2", ...
QString KindText(const std::string& kind);
// One change, in words.
QString ChangeText(const VerdictChange& change);
// The whole panel as rich text: every figure, each followed by its change
// when it has one, and the design rules broken.
QString VerdictHtml(const Verdict& verdict, const std::vector<VerdictChange>& changes);
