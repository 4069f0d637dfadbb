// SPDX-License-Identifier: GPL-3.0-or-later
// The media layer: the game's only route to the window, the screen, the clock,
// the input devices, sound and music. Every operation is a plain function that
// returns an int: 0 (or a handle) on success, -1 on failure. Operations never
// throw and never show messages on their own.
#pragma once

#include <cstdint>

// ---------------------------------------------------------------------------
// Start-up options (call before InitMedia; each returns 0)
// ---------------------------------------------------------------------------

// 0 switches the layer's diagnostic log off.
int SetLogOutput(int enable);
// Window icon: 0 the default icon, 106 the game's own icon.
int SetWindowIcon(int resourceId);
// 1: never wait for the window to become active again.
int SetRunInBackground(int enable);
// 1 windowed, 0 full screen.
int SetWindowedMode(int windowed);
// Window title; also renames an open window.
int SetWindowTitle(const char* text);

// ---------------------------------------------------------------------------
// Life cycle and per-frame primitives
// ---------------------------------------------------------------------------

// Opens the window, screen, input and audio. -1 when the window cannot be
// made or another copy of the game is already running.
int InitMedia();
// Frees every image, sound and music and closes the window.
int EndMedia();
// Handles waiting window events; -1 once the window has been closed.
int PumpMessages();
// Millisecond clock, an unsigned 32-bit count returned as int; wraps.
int GetTimeMs();
// Gives the processor away for about ms milliseconds (the headless platform
// advances its virtual clock instead). Returns 0.
int SleepMs(int ms);
// Fills the current draw target with black.
int ClearScreen();
// Presents the back buffer.
int FlipScreen();
// -2 back buffer, -4 front screen, or a handle from MakeScreenImage.
int SetDrawTarget(int target);
// 1 while the window has the focus.
int IsWindowActive();
// 1 when the key with this code (keyboard set-1 code, 0x80 for extended keys) is held.
int IsKeyDown(int keyCode);
// Pad bit set; input = pad number (0 none, 1 first) plus 0x1000 for the keyboard.
// Besides A, the keys U and Backspace also set PAD_BUTTON4 (undo); with a
// Shift key held they set PAD_BUTTON5 (redo) instead, as S does. H (hint)
// sets PAD_BUTTON6, as D does.
int GetPadState(int input);

// Key codes the game uses.
enum MediaKey : int {
    KEY_ESCAPE = 0x01, KEY_BACKSPACE = 0x0E, KEY_Q = 0x10, KEY_W = 0x11, KEY_U = 0x16,
    KEY_A = 0x1E, KEY_S = 0x1F, KEY_D = 0x20, KEY_H = 0x23, KEY_LSHIFT = 0x2A, KEY_Z = 0x2C,
    KEY_X = 0x2D, KEY_C = 0x2E, KEY_RSHIFT = 0x36, KEY_SPACE = 0x39,
    KEY_NUMPAD8 = 0x48, KEY_NUMPAD4 = 0x4B, KEY_NUMPAD6 = 0x4D, KEY_NUMPAD2 = 0x50,
    KEY_UP = 0xC8, KEY_LEFT = 0xCB, KEY_RIGHT = 0xCD, KEY_DOWN = 0xD0,
};

// Pad state bits.
enum PadBit : int {
    PAD_DOWN = 0x1, PAD_LEFT = 0x2, PAD_RIGHT = 0x4, PAD_UP = 0x8,
    PAD_BUTTON1 = 0x10, PAD_BUTTON2 = 0x20, PAD_BUTTON3 = 0x40, PAD_BUTTON4 = 0x80,
    PAD_BUTTON5 = 0x100, PAD_BUTTON6 = 0x200, PAD_BUTTON7 = 0x400, PAD_BUTTON8 = 0x800,
    PAD_BUTTON9 = 0x1000, PAD_BUTTON10 = 0x2000,
};
constexpr int kPadWithKeyboard = 0x1000;

// Screen ids that stand beside image handles as draw targets.
constexpr int kBackBuffer = -2;
constexpr int kFrontScreen = -4;
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

// A modal message box with one OK button, drawn in the game's window over the
// picture it shows; returns when it is acknowledged or the window is closed.
// It is also written to standard error as one line "caption: text" when it
// appears (the only place it goes when there is no window yet).
int ShowMessageBox(const char* text, const char* caption);

// ---------------------------------------------------------------------------
// Graphics
// ---------------------------------------------------------------------------

// Rectangle covering left <= x < right, top <= y < bottom.
struct Rect {
    int left;
    int top;
    int right;
    int bottom;
};

// Decodes an image file held in memory (BMP, JPEG, PNG, raw BGRA, TGA, DDS).
int CreateImageFromMemory(const void* data, int size, const void* alphaData, int alphaSize,
                          int textureFlag, int mirrorFlag);
// A blank image that can be a draw target and a capture target.
int MakeScreenImage(int width, int height, int flag);
int DeleteImage(int handle, int logFlag);

int DrawImage(int x, int y, int handle, int trans);
int DrawImageStretched(int x1, int y1, int x2, int y2, int handle, int trans);
// Scaled and turned (radians, clockwise) about the image centre, placed at (cx, cy).
int DrawImageRotated(int cx, int cy, double scale, double angle, int handle, int trans, int turn);
int DrawImageRect(int x, int y, int srcX, int srcY, int width, int height, int handle, int trans,
                  int turn);
int DrawImageRectStretched(int x1, int y1, int x2, int y2, int srcX, int srcY, int width,
                           int height, int handle, int trans);
// fill 1 fills the rectangle, 0 draws its one-pixel border.
int DrawBox(int x1, int y1, int x2, int y2, int color, int fill);
int DrawText(int x, int y, const char* text, int color, int edgeColor);
// Width in pixels that DrawText covers with the current font, edge included
// (0 for an empty text); -1 when no font can be opened. For centring text.
int GetTextWidth(const char* text);

// mode 0 none, 1 alpha blending with opacity param (clamped to 0..255).
int SetBlendMode(int mode, int param);
int SetDrawBrightness(int r, int g, int b);
// The colour that images created afterwards treat as transparent.
int SetTransparentColor(int r, int g, int b);
// Packed colour in the back buffer's format (0x00RRGGBB).
int MakeColor(int r, int g, int b);
int SetFontSize(int size);
// Bit 0 edge, bit 1 anti-aliasing.
int SetFontType(int type);

int CaptureScreen(int x1, int y1, int x2, int y2, int handle, int flag);
int CopyImageRect(const Rect* src, const Rect* dst, int srcImage, int dstImage);

// ---------------------------------------------------------------------------
// Sound and music
// ---------------------------------------------------------------------------

int LoadSound(const char* fileName, int bufferCount, int unionHandle);
// playType 0 waits, 1 plays in the background, 3 repeats.
int PlaySound(int handle, int playType, int fromStart);
int PlaySoundFile(const char* fileName, int playType);
int LoadMusic(const char* fileName);
// startTick counts 768 ticks to the quarter note.
int PlayMusic(int handle, int playType, int startTick);
int StopMusic(int handle);
int DeleteMusic(int handle);
int SetMidiMode(int mode);
int SetMusicVolume(int volume);
