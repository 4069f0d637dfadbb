// SPDX-License-Identifier: GPL-3.0-or-later
// The ObjData file (*.obj) of the editor tool, free of any toolkit: the byte
// layout, its reader and writer, and the small text rules around it.
//
// Layout (packed, little-endian; texts are UTF-16LE after a one-byte length
// in code units):
//   "KOB" | n | picture name (2n) | object width (2) | object height (2)
//   | direction (1) | c | c records of { m | name (2m) | attribute (1) }
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace objdata {

// One object of the strip: object k is the k-th object-wide slice of the picture.
struct ObjectRecord {
    std::u16string name;
    std::uint8_t attribute = 0;

    bool operator==(const ObjectRecord&) const = default;
};

// Everything an ObjData file holds.
struct ObjData {
    std::array<char, 3> signature{'K', 'O', 'B'};
    std::u16string pictureName;  // file name of the .bfg picture, no directory
    std::uint16_t objectWidth = 0;
    std::uint16_t objectHeight = 0;
    std::uint8_t direction = 0;  // 0 up, 1 right, 2 down, 3 left
    std::vector<ObjectRecord> objects;

    bool operator==(const ObjData&) const = default;
};

// The last group of fields the reader took whole, in file order.
enum class ReadProgress {
    Nothing,      // not even the signature
    Signature,
    PictureName,
    ObjectSize,
    Direction,    // direction read and valid; records follow
    Objects,      // the record count and every record it announces
};

// Why the reader stopped.
enum class ReadEnd {
    Complete,      // every field read
    BadDirection,  // the direction byte was above 3; nothing after it is read
    Truncated,     // the bytes ended inside a field; whole fields before it are kept
};

// The result of parsing: the fields read so far, and where reading stopped.
// data.objects holds only whole records.
struct ParsedObjData {
    ObjData data;
    ReadProgress progress = ReadProgress::Nothing;
    ReadEnd end = ReadEnd::Truncated;
    std::size_t bytesUsed = 0;  // bytes taken by the whole fields read
};

// Largest file the layout can describe; longer files only add ignored bytes.
constexpr std::size_t kMaxFileSize = 3 + 1 + 2 * 255 + 2 + 2 + 1 + 1 + 255 * (1 + 2 * 255 + 1);
// Longest text (picture name or object name) the length byte can announce.
constexpr std::size_t kMaxTextLength = 255;
// Most objects the count byte can announce.
constexpr std::size_t kMaxObjects = 255;

// Reads an ObjData file held in memory. Never fails: it reports how far it got.
// The signature is not checked; bytes after the last record are ignored.
ParsedObjData ParseObjData(std::span<const std::uint8_t> bytes);

// Why a document cannot be written.
enum class WriteError {
    None,
    TooManyObjects,  // more than kMaxObjects records
    TextTooLong,     // a name longer than kMaxTextLength code units
};

struct SerializedObjData {
    std::vector<std::uint8_t> bytes;  // empty unless error is None
    WriteError error = WriteError::None;
};

// Lays out data byte for byte; the signature written is always "KOB".
SerializedObjData SerializeObjData(const ObjData& data);

// A text read as a decimal integer the way the C runtime's strtol does:
// leading blanks, an optional sign, digits up to the first non-digit (no
// digits gives 0); a value beyond the range of a 64-bit long saturates.
std::int64_t DecimalTextValue(std::u16string_view text);

// The attribute byte of an attribute text: the low 8 bits of its decimal value.
std::uint8_t AttributeFromText(std::u16string_view text);

// The text after the last '/' of path (all of it when there is none).
std::u16string_view FinalComponent(std::u16string_view path);

// The path of a picture named pictureName lying beside the file at objPath.
std::u16string PicturePathBeside(std::u16string_view objPath, std::u16string_view pictureName);

}  // namespace objdata
