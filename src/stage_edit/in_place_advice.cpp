// SPDX-License-Identifier: GPL-3.0-or-later
#include "in_place_advice.h"

InPlaceAdviceAnswer InPlaceAdvice::Advise(const PlaySession& session) const {
    using Kind = InPlaceAdviceAnswer::Kind;
    InPlaceAdviceAnswer answer;
    if (session.Cleared()) {
        answer.kind = Kind::Over;
        return answer;
    }
    const StageAdvisor* advisor = analysis_.Ready();
    if (!advisor) return answer;
    if (advisor->status() == StageAdvisor::Status::TooLarge) {
        answer.kind = Kind::TooLarge;
        return answer;
    }
    const PositionVerdict verdict = advisor->Judge(session.Rules(), session.PlayerCell());
    answer.optimum = advisor->Optimum();
    switch (verdict.kind) {
        case PositionVerdict::Kind::Unknown: answer.kind = Kind::TooLarge; break;
        case PositionVerdict::Kind::Live:
            answer.kind = Kind::Live;
            answer.toClear = verdict.toClear;
            answer.next = verdict.next;
            answer.parInReach = session.Steps() + verdict.toClear <= advisor->Optimum();
            break;
        case PositionVerdict::Kind::Lost:
            answer.kind = Kind::Lost;
            answer.undoSteps = advisor->StepsBackToLive(session.Line());
            break;
    }
    return answer;
}
