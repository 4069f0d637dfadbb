// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/bfg_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numeric>
#include <vector>

#include "bfg_encode.h"

namespace {

namespace fs = std::filesystem;

class BfgFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        KeyWithBfgKey(cipher);
        dir = fs::temp_directory_path() /
              ("veltrim_bfg_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override {
        cipher.Release();
        fs::remove_all(dir);
    }

    fs::path Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        const fs::path path = dir / name;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    static std::vector<uint8_t> Counting(std::size_t n) {
        std::vector<uint8_t> bytes(n);
        std::iota(bytes.begin(), bytes.end(), uint8_t{1});
        return bytes;
    }

    BlowfishState cipher;
    fs::path dir;
};

TEST_F(BfgFileTest, PadCountZeroKeepsTheWholePlainText) {
    const std::vector<uint8_t> image = Counting(64);
    const std::vector<uint8_t> file = EncodeBfg(image, cipher);
    ASSERT_EQ(file.size(), 65u);
    EXPECT_EQ(file[0], 0);
    const auto decoded = DecodeBfg(file, cipher);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(std::vector<uint8_t>(decoded->Image().begin(), decoded->Image().end()), image);
}

TEST_F(BfgFileTest, PadCountSevenIgnoresTheFillerWhateverItHolds) {
    const std::vector<uint8_t> image = Counting(57);
    std::vector<uint8_t> file = EncodeBfg(image, cipher);
    ASSERT_EQ(file.size(), 65u);
    EXPECT_EQ(file[0], 7);

    // Re-encrypt the last block with non-zero filler: the image must not change.
    std::vector<uint8_t> lastBlock(image.end() - 1, image.end());
    lastBlock.resize(8, 0xEE);
    uint32_t left = 0;
    uint32_t right = 0;
    LoadBlock(lastBlock.data(), left, right);
    cipher.EncryptBlock(left, right);
    StoreBlock(&file[57], left, right);

    const auto decoded = DecodeBfg(file, cipher);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->imageLength, 57u);
    EXPECT_EQ(std::vector<uint8_t>(decoded->Image().begin(), decoded->Image().end()), image);
    EXPECT_EQ(decoded->bytes.back(), 0xEE);
}

TEST_F(BfgFileTest, BrokenLayoutsAreFailures) {
    EXPECT_FALSE(DecodeBfg({}, cipher));  // empty file

    std::vector<uint8_t> file = EncodeBfg(Counting(16), cipher);
    std::vector<uint8_t> ragged = file;
    ragged.pop_back();  // cipher text of 15 bytes
    EXPECT_FALSE(DecodeBfg(ragged, cipher));

    std::vector<uint8_t> lying = file;
    lying[0] = 17;  // more filler than cipher text
    EXPECT_FALSE(DecodeBfg(lying, cipher));
    lying[0] = 16;  // all filler is still a valid layout
    const auto allFiller = DecodeBfg(lying, cipher);
    ASSERT_TRUE(allFiller);
    EXPECT_EQ(allFiller->imageLength, 0u);
}

TEST_F(BfgFileTest, ReadsFilesAndReportsMissingOrBrokenOnes) {
    const std::vector<uint8_t> image = Counting(100);
    const auto read = ReadBfgFile(Write("pic.bfg", EncodeBfg(image, cipher)), cipher);
    ASSERT_TRUE(read);
    EXPECT_EQ(std::vector<uint8_t>(read->Image().begin(), read->Image().end()), image);

    EXPECT_FALSE(ReadBfgFile(dir / "missing.bfg", cipher));
    EXPECT_FALSE(ReadBfgFile(Write("empty.bfg", {}), cipher));
    EXPECT_FALSE(ReadBfgFile(dir, cipher));  // a directory is not a picture
}

}  // namespace
