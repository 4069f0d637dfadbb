// SPDX-License-Identifier: GPL-3.0-or-later
// Blowfish block cipher as used by .bfg pictures: 16 rounds, an 8-byte key,
// electronic code book, and a block layout of two little-endian 32-bit halves
// (bytes 0-3 the left half, bytes 4-7 the right half). Shared, as one source
// file, by the game and the editor tool; it depends on nothing else.
#pragma once

#include <cstddef>
#include <cstdint>

// The cipher context: two owning pointers to the P-array and the S-boxes.
// The owner allocates both (Allocate), keys them once (SetKey) and frees them
// (Release); afterwards the state is only read.
struct BlowfishState {
    static constexpr std::size_t kKeyLength = 8;
    static constexpr std::size_t kBlockSize = 8;
    static constexpr std::size_t kPWords = 18;
    static constexpr std::size_t kSWords = 1024;

    uint32_t* pArray = nullptr;  // P[0..17]
    uint32_t* sBoxes = nullptr;  // four boxes of 256 words one after another

    // Allocates both tables (the P-array first) if they are not allocated yet.
    void Allocate();
    // Runs the key schedule; the tables must be allocated. Key bytes are taken
    // most significant first into the P-array words.
    void SetKey(const uint8_t (&key)[kKeyLength]);
    // One block forward and back, halves replaced in place.
    void EncryptBlock(uint32_t& left, uint32_t& right) const;
    void DecryptBlock(uint32_t& left, uint32_t& right) const;
    // Decrypts length bytes rounded up to whole blocks, each block on its own.
    // destination and source may be the same buffer; both must hold at least
    // the rounded-up length. Allocates nothing.
    void DecryptBuffer(std::size_t length, uint8_t* destination, const uint8_t* source) const;
    // Frees both tables.
    void Release();
};

// Reads and writes one block in the .bfg layout (little-endian halves).
void LoadBlock(const uint8_t* bytes, uint32_t& left, uint32_t& right);
void StoreBlock(uint8_t* bytes, uint32_t left, uint32_t right);

// Writes the fixed key of the .bfg format into key. It is assembled here at
// run time from single bytes kept apart; callers key a state with it and wipe
// the array right after (see KeyWithBfgKey).
void AssembleBfgKey(uint8_t (&key)[BlowfishState::kKeyLength]);

// Allocates state (if needed) and keys it with the .bfg key.
void KeyWithBfgKey(BlowfishState& state);
