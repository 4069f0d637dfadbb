// SPDX-License-Identifier: GPL-3.0-or-later
// The score language: a small dialect of MML.
//
// A score is lines of text. '#' starts a comment. "$name = text" defines a
// macro (names are letters and '_'); "$name" anywhere in music text is
// replaced by its text. A line that
// starts with a track letter A-P adds music to that track; track A plays on
// MIDI channel 1, B on 2, ... J on 10 (the drums). Music commands:
//   c d e f g a b   notes; '+' sharpens, '-' flattens; then a length
//   r               rest;  n<key>[,<length>] a note by MIDI number (drums)
//   length          1 whole, 2 half, 4 quarter, 8, 16, 32, 3/6/12/24 triplets;
//                   '.' adds half; '^<length>' ties more time on; omitted = l
//   'ceg'4          a chord: the quoted notes (or n<key>) sounding together
//   |               a bar line (4/4): an error unless it falls on a bar
//   o<n> < >        octave (4 holds middle C); down, up
//   l<n>            default length
//   q<n>            gate: notes sound n/8 of their length (8 = legato)
//   v<n>            note velocity 0-127;  k<n> transpose by n semitones
//   @<n>            instrument (General MIDI program 0-127)
//   @v<n>           channel volume;  p<n> pan 0-127;  y<cc>,<value> any controller
//   t<n>            tempo in quarter notes per minute (for the whole piece)
//   [ ... ]<n>      repeat n times;  ':' inside leaves the last repeat early
//   &               binds the previous note to the next one of the same pitch
#pragma once

#include <optional>
#include <string>

#include "mml2mid/song.h"

namespace mml {

// Compiles a score; on failure returns nothing and sets the error text with
// the line it arose on.
std::optional<Song> CompileScore(const std::string& score, std::string& error);

}  // namespace mml
