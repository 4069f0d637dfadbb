// SPDX-License-Identifier: GPL-3.0-or-later
// How the 640x480 picture is fitted to a desktop: the window's whole-number
// scale and the letterbox of a full screen. Sizes are output pixels, so a
// HiDPI desktop gets the same picture as any other.
#pragma once

namespace media_detail {

struct PixelSize {
    int width = 0;
    int height = 0;
};

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

constexpr PixelSize kScreenSize{640, 480};
// Room left for a window frame the desktop does not report (title bar and
// borders of the common desktops, with some to spare).
constexpr PixelSize kAssumedFrame{16, 64};

// The largest whole multiple of `screen` whose window, frame included, fits
// the usable desktop area; 1 when even twice does not fit.
int ChooseWindowScale(PixelSize usable, PixelSize frame, PixelSize screen = kScreenSize);

// A window frame's width on each side (the title bar is usually the top).
struct FrameBorders {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Where the client area of a window of `client` size goes so that the whole
// window, frame included, is centred on the usable area; a window taller or
// wider than that area keeps its top-left frame corner (title bar and close
// box) on it. Returns the client area's top-left.
PixelSize CentredClientPosition(PixelRect usable, PixelSize client, FrameBorders frame);

// Where the picture goes in an output of this size: the largest whole
// multiple of `screen` that fits, centred, the rest black. An output smaller
// than the screen gets the picture shrunk to fit with its shape kept.
PixelRect LetterboxRect(PixelSize output, PixelSize screen = kScreenSize);

// The screen pixel under a pointer at (x, y) in window coordinates, for a
// window of `window` size whose output is `output` pixels (they differ on
// HiDPI desktops) and shows the picture as LetterboxRect places it. A point
// on the black border lies outside the screen.
PixelSize PointerToScreen(int x, int y, PixelSize window, PixelSize output, PixelSize screen = kScreenSize);

}  // namespace media_detail
