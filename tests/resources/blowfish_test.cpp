// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/blowfish.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <vector>

namespace {

using Block = std::array<uint8_t, 8>;

// Published Blowfish vectors (key, plain block, cipher block), written with
// big-endian halves as they are published.
struct Vector {
    Block key;
    Block plain;
    Block cipher;
};
const Vector kVectors[] = {
    {{0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0},
     {0x4E, 0xF9, 0x97, 0x45, 0x61, 0x98, 0xDD, 0x78}},
    {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
     {0x51, 0x86, 0x6F, 0xD5, 0xB8, 0x5E, 0xCB, 0x8A}},
    {{0x30, 0, 0, 0, 0, 0, 0, 0}, {0x10, 0, 0, 0, 0, 0, 0, 0x01},
     {0x7D, 0x85, 0x6F, 0x9A, 0x61, 0x30, 0x63, 0xF2}},
    {{0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}, {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11},
     {0x61, 0xF9, 0xC3, 0x80, 0x22, 0x81, 0xB0, 0x96}},
    {{0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10}, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF},
     {0x0A, 0xCE, 0xAB, 0x0F, 0xC6, 0xA0, 0xA2, 0x8D}},
    {{0x7C, 0xA1, 0x10, 0x45, 0x4A, 0x1A, 0x6E, 0x57}, {0x01, 0xA1, 0xD6, 0xD0, 0x39, 0x77, 0x67, 0x42},
     {0x59, 0xC6, 0x82, 0x45, 0xEB, 0x05, 0x28, 0x2B}},
};

// The published block in this cipher's layout: each 4-byte half reversed.
Block ToLittleEndianHalves(const Block& published) {
    Block b = published;
    std::reverse(b.begin(), b.begin() + 4);
    std::reverse(b.begin() + 4, b.end());
    return b;
}

class BlowfishTest : public ::testing::Test {
protected:
    void TearDown() override { state.Release(); }

    void Key(const Block& key) {
        state.Allocate();
        uint8_t raw[8];
        std::copy(key.begin(), key.end(), raw);
        state.SetKey(raw);
    }

    Block Encrypt(const Block& plain) const {
        uint32_t left = 0;
        uint32_t right = 0;
        LoadBlock(plain.data(), left, right);
        state.EncryptBlock(left, right);
        Block out{};
        StoreBlock(out.data(), left, right);
        return out;
    }

    Block Decrypt(const Block& cipher) const {
        uint32_t left = 0;
        uint32_t right = 0;
        LoadBlock(cipher.data(), left, right);
        state.DecryptBlock(left, right);
        Block out{};
        StoreBlock(out.data(), left, right);
        return out;
    }

    BlowfishState state;
};

TEST_F(BlowfishTest, ReproducesAndUndoesPublishedVectorsInLittleEndianLayout) {
    for (const Vector& v : kVectors) {
        Key(v.key);
        const Block plain = ToLittleEndianHalves(v.plain);
        const Block cipher = ToLittleEndianHalves(v.cipher);
        EXPECT_EQ(Encrypt(plain), cipher);
        EXPECT_EQ(Decrypt(cipher), plain);
    }
}

TEST_F(BlowfishTest, KeyBytesAreTakenMostSignificantFirst) {
    const Vector& v = kVectors[4];
    // What a schedule that read each key word least-significant-first would see.
    Block swapped = v.key;
    std::reverse(swapped.begin(), swapped.begin() + 4);
    std::reverse(swapped.begin() + 4, swapped.end());

    Key(v.key);
    const std::vector<uint32_t> p(state.pArray, state.pArray + BlowfishState::kPWords);
    ASSERT_EQ(Encrypt(ToLittleEndianHalves(v.plain)), ToLittleEndianHalves(v.cipher));

    Key(swapped);
    const std::vector<uint32_t> pSwapped(state.pArray, state.pArray + BlowfishState::kPWords);
    EXPECT_NE(p, pSwapped);
    EXPECT_NE(Encrypt(ToLittleEndianHalves(v.plain)), ToLittleEndianHalves(v.cipher));
}

class DecryptBufferTest : public BlowfishTest {
protected:
    void SetUp() override { KeyWithBfgKey(state); }

    std::vector<uint8_t> EncryptAll(std::vector<uint8_t> bytes) const {
        for (std::size_t i = 0; i + 8 <= bytes.size(); i += 8) {
            uint32_t left = 0;
            uint32_t right = 0;
            LoadBlock(&bytes[i], left, right);
            state.EncryptBlock(left, right);
            StoreBlock(&bytes[i], left, right);
        }
        return bytes;
    }
};

TEST_F(DecryptBufferTest, InPlaceAndTwoBuffersAgreeAndRestoreThePlainText) {
    std::vector<uint8_t> plain(8 * 37);
    std::iota(plain.begin(), plain.end(), uint8_t{3});
    const std::vector<uint8_t> cipher = EncryptAll(plain);
    ASSERT_NE(cipher, plain);

    std::vector<uint8_t> inPlace = cipher;
    state.DecryptBuffer(inPlace.size(), inPlace.data(), inPlace.data());
    std::vector<uint8_t> second(cipher.size(), 0xAA);
    state.DecryptBuffer(cipher.size(), second.data(), cipher.data());

    EXPECT_EQ(inPlace, plain);
    EXPECT_EQ(second, plain);
}

TEST_F(DecryptBufferTest, BlocksAreIndependent) {
    // Electronic code book: equal plain blocks give equal cipher blocks, and
    // damage to one block leaves the others intact.
    std::vector<uint8_t> plain(24, 0x5C);
    std::vector<uint8_t> cipher = EncryptAll(plain);
    EXPECT_TRUE(std::equal(cipher.begin(), cipher.begin() + 8, cipher.begin() + 16));
    cipher[9] ^= 0x01;
    state.DecryptBuffer(cipher.size(), cipher.data(), cipher.data());
    EXPECT_TRUE(std::equal(cipher.begin(), cipher.begin() + 8, plain.begin()));
    EXPECT_FALSE(std::equal(cipher.begin() + 8, cipher.begin() + 16, plain.begin() + 8));
    EXPECT_TRUE(std::equal(cipher.begin() + 16, cipher.end(), plain.begin() + 16));
}

TEST_F(DecryptBufferTest, LengthIsRoundedUpToWholeBlocksAndZeroTouchesNothing) {
    const std::vector<uint8_t> plain(16, 0x42);
    const std::vector<uint8_t> cipher = EncryptAll(plain);
    std::vector<uint8_t> out(16, 0);
    state.DecryptBuffer(0, out.data(), cipher.data());
    EXPECT_EQ(out, std::vector<uint8_t>(16, 0));
    state.DecryptBuffer(9, out.data(), cipher.data());  // two blocks
    EXPECT_EQ(out, plain);
}

TEST_F(DecryptBufferTest, BfgKeyIsTheOneEveryPictureIsMadeWith) {
    // The zero block under the .bfg key, worked out independently. Every
    // shipped picture and the editor depend on this key never changing.
    const Block expected = {0x0F, 0x8D, 0xF7, 0x01, 0x05, 0x4A, 0xB0, 0xF8};
    EXPECT_EQ(Encrypt(Block{}), expected);
}

}  // namespace
