#include "tour.h"

#include "media/media.h"

namespace {

// Long enough for any step to finish: a walk (17 frames) onto a warp that
// leaves (16) and arrives (13), with room to spare.
constexpr int kFramesPerMove = 50;

int KeyOf(StepDirection d) {
    switch (d) {
        case StepDirection::Left: return KEY_LEFT;
        case StepDirection::Up: return KEY_UP;
        case StepDirection::Right: return KEY_RIGHT;
        case StepDirection::Down: return KEY_DOWN;
    }
    return KEY_DOWN;
}

}  // namespace

Tour PlanTour(const std::vector<StepDirection>& solution) {
    Tour t;
    // The opening fades in and out over 102 frames, then the title waits.
    t.snapshots[130] = "title";
    // Title: down twice to "select", confirm.
    t.keyAt[140] = KEY_DOWN;
    t.keyAt[155] = KEY_DOWN;
    t.keyAt[170] = KEY_Z;
    // Selection: two cells right and one row down, to stage 8, then wait for
    // its preview.
    t.keyAt[190] = KEY_RIGHT;
    t.keyAt[200] = KEY_RIGHT;
    t.keyAt[210] = KEY_DOWN;
    t.snapshots[250] = "select";
    // Back to the opening, skip it, continue (the saved stage is the last).
    t.keyAt[260] = KEY_X;
    t.keyAt[280] = KEY_Z;
    t.keyAt[300] = KEY_DOWN;
    t.keyAt[320] = KEY_Z;
    t.keyAt[340] = KEY_Z;  // leaves the stage card
    const int firstMove = 360;
    const int n = static_cast<int>(solution.size());
    for (int i = 0; i < n; ++i) t.keyAt[firstMove + kFramesPerMove * i] = KeyOf(solution[i]);
    // Half way through, between two steps.
    t.snapshots[firstMove + kFramesPerMove * (n / 2) - 10] = "stage";
    // The last step: 17 frames of walking, 31 of the clear pose, 128 of the
    // fade; then the ending, whose staff roll is mid-screen by frame 620 and
    // whose logo has settled by frame 1160.
    const int ending = firstMove + kFramesPerMove * (n - 1) + 17 + 31 + 129;
    t.snapshots[ending + 620] = "ending";
    t.snapshots[ending + 1180] = "ending_logo";
    t.lastFrame = ending + 1200;
    return t;
}
