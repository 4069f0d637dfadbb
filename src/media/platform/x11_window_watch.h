// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps X11's error handling from ending the game behind its back. Xlib's
// default handlers exit the process on any error: a window destroyed from
// outside (a window manager's destroy, another client's XDestroyWindow) would
// end the game with status 1 on the next request about it, skipping its
// shut-down. Watched, the window's loss becomes a close request instead; a
// lost display connection still ends the process, but with one line on
// standard error and a plain exit, never a crash signal.
#pragma once

#include <SDL.h>

namespace media_detail {

// Puts the layer's handlers in before SDL starts: SDL keeps the handler it
// finds and puts it back when it quits, so ours stay in place for the
// requests SDL's own connections still flush then.
void InstallX11ErrorHandlers();
// Watches this window when SDL shows it through X11 (does nothing otherwise).
void WatchX11Window(SDL_Window* window);
// Stops watching, right after the window was destroyed by its owner.
void ForgetX11Window();
// Whether the watched window has gone: destroyed from outside, or a request
// about it failed.
bool X11WindowLost();
// Whether the X server has the key with this keysym name ("z", "Return")
// held now, focus or not (SDL only learns of keys while its window has the
// focus). False when no window is watched.
bool X11KeyHeld(const char* keysymName);
// Whether a window manager runs on the watched window's X display (one that
// follows the desktop standards and so does full screen on request). True
// when no window is watched.
bool X11WindowManagerRunning();
// Notes the loss when this event reports the watched window destroyed.
void NoteX11Event(const SDL_Event& event);

}  // namespace media_detail
