// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/verdict_text.h"

#include <QCoreApplication>

namespace {

QString Tr(const char* text, const char* disambiguation = nullptr, int n = -1) {
    return QCoreApplication::translate("VerdictPanel", text, disambiguation, n);
}

QString Changed(const std::vector<VerdictChange>& changes, VerdictChange::What what) {
    QStringList texts;
    for (const VerdictChange& change : changes) {
        if (change.what == what) texts << ChangeText(change);
    }
    if (texts.isEmpty()) return {};
    return QStringLiteral(" <span style='color:#b05000'>(%1)</span>").arg(texts.join(QStringLiteral(", ")).toHtmlEscaped());
}

QString RoleText(const KindRole& role) {
    using V = KindNecessity::Verdict;
    switch (role.verdict) {
        case V::Unsolvable: return Tr("needed: unsolvable without it");
        case V::Longer: return Tr("needed: %n step(s) longer without it", nullptr, role.change);
        case V::Equal: return Tr("not needed: as short without it");
        case V::Shorter: return Tr("a hazard: %n step(s) shorter without it", nullptr, -role.change);
        case V::Unknown: return Tr("not known: too large to tell");
    }
    return {};
}

QString StatusText(SolveStatus status) {
    switch (status) {
        case SolveStatus::Solved: return {};
        case SolveStatus::NoSolution: return Tr("no play clears it");
        case SolveStatus::TooManySteps: return Tr("not within 254 steps");
        case SolveStatus::OutOfMemory: return Tr("too large to search");
        case SolveStatus::Cancelled: return {};
    }
    return {};
}

}  // namespace

QString KindText(const std::string& kind) {
    if (kind == "arrow") return Tr("arrow");
    if (kind == "burst") return Tr("burst");
    if (kind == "warp10") return Tr("warp W");
    if (kind == "warp11") return Tr("warp M");
    if (kind == "eraser") return Tr("eraser");
    if (kind.rfind("goal", 0) == 0 && kind.size() == 5) return Tr("goal %1").arg(kind[4] - '4');
    return QString::fromStdString(kind);
}

QString ChangeText(const VerdictChange& change) {
    using What = VerdictChange::What;
    const QString before = QString::number(change.before), after = QString::number(change.after);
    switch (change.what) {
        case What::Solvable: return change.after ? Tr("solvable again") : Tr("no longer solvable");
        case What::Optimum: return Tr("optimum %1 → %2").arg(before, after);
        case What::States: return Tr("positions %1 → %2").arg(before, after);
        case What::DeadStates: return Tr("dead positions %1 → %2").arg(before, after);
        case What::TrapDepth:
            if (change.before < 0) return Tr("a trap now after %1 moves").arg(after);
            if (change.after < 0) return Tr("no trap any more");
            return Tr("shallowest trap %1 → %2 moves").arg(before, after);
        case What::Plans: return Tr("optimal plans %1 → %2").arg(before, after);
        case What::KindNeeded:
            return (change.after ? Tr("%1 now needed") : Tr("%1 no longer needed")).arg(KindText(change.kind));
        case What::KindGone: return Tr("%1 gone").arg(KindText(change.kind));
        case What::Rule:
            return (change.after ? Tr("breaks rule %1 now") : Tr("keeps rule %1 again")).arg(change.rule);
    }
    return {};
}

QString VerdictHtml(const Verdict& verdict, const std::vector<VerdictChange>& changes) {
    using What = VerdictChange::What;
    QStringList lines;
    if (verdict.solvable) {
        lines << Tr("<b>Solvable</b>: optimum %n step(s)", nullptr, verdict.optimum) + Changed(changes, What::Solvable) +
                     Changed(changes, What::Optimum);
    } else {
        lines << Tr("<b>Not solvable</b>: %1").arg(StatusText(verdict.status)) + Changed(changes, What::Solvable);
    }
    if (verdict.graphComplete) {
        lines << Tr("Positions: %1 reachable").arg(verdict.states) + Changed(changes, What::States);
        lines << Tr("Dead positions: %1").arg(verdict.deadStates) + Changed(changes, What::DeadStates);
        lines << (verdict.trapDepth < 0 ? Tr("Shallowest trap: none")
                                        : Tr("Shallowest trap: after %1 moves (%2)")
                                              .arg(verdict.trapDepth)
                                              .arg(QString::fromStdString(verdict.trapMoves))) +
                     Changed(changes, What::TrapDepth);
    } else {
        lines << Tr("Positions: too many to follow them all");
    }
    if (verdict.solvable) {
        lines << Tr("Distinct optimal plans: %1%2").arg(verdict.plansAtLeast ? QStringLiteral("≥ ") : QString()).arg(verdict.plans) +
                     Changed(changes, What::Plans);
    }
    QStringList kinds;
    for (const KindRole& role : verdict.kinds) {
        QString line = QStringLiteral("%1: %2").arg(KindText(role.kind), RoleText(role));
        for (const VerdictChange& change : changes) {
            if (change.what == What::KindNeeded && change.kind == role.kind) {
                line += QStringLiteral(" <span style='color:#b05000'>(%1)</span>").arg(ChangeText(change).toHtmlEscaped());
            }
        }
        kinds << line;
    }
    for (const VerdictChange& change : changes) {
        if (change.what == What::KindGone) kinds << QStringLiteral("<span style='color:#b05000'>%1</span>").arg(ChangeText(change));
    }
    lines << Tr("Tiles:") + (kinds.isEmpty() ? Tr(" none") : QStringLiteral("<br>&nbsp;&nbsp;") + kinds.join(QStringLiteral("<br>&nbsp;&nbsp;")));
    QStringList rules;
    for (const RuleBreach& breach : verdict.breaches) {
        rules << QStringLiteral("<span style='color:#c00000'>%1</span>")
                     .arg(Tr("rule %1 (%2): %3").arg(breach.rule).arg(QString::fromUtf8(RuleName(breach.rule)),
                                                                     QString::fromStdString(breach.text).toHtmlEscaped()));
    }
    for (const VerdictChange& change : changes) {
        if (change.what == What::Rule && !change.after) rules << QStringLiteral("<span style='color:#007000'>%1</span>").arg(ChangeText(change));
    }
    lines << Tr("Design rules:") + (verdict.breaches.empty() ? Tr(" all kept") : QString()) +
                 (rules.isEmpty() ? QString() : QStringLiteral("<br>&nbsp;&nbsp;") + rules.join(QStringLiteral("<br>&nbsp;&nbsp;")));
    return lines.join(QStringLiteral("<br>"));
}
