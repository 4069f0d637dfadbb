// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/resource_manager.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>
#include <filesystem>
#include <string>
#include <vector>

#include "media/headless.h"
#include "media/image_writers.h"
#include "media/media.h"
#include "media/media_internal.h"
#include "resources/test_pictures.h"

namespace {

namespace fs = std::filesystem;
using test_pictures::MakeBmp;
using test_pictures::MakeSolidBmp;
using test_pictures::WriteBfg;
using test_pictures::WriteFile;

// A picture with distinct colours in every quarter, so a flipped or shifted
// decode shows.
std::vector<uint32_t> QuarterPixels(int width, int height) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            pixels.push_back(right ? (bottom ? 0x2040E0 : 0xE02020) : (bottom ? 0x20C040 : 0xF0F0F0));
        }
    }
    return pixels;
}

class ResourceManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        home = fs::current_path();
        dir = fs::temp_directory_path() /
              ("veltrim_rm_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        fs::current_path(dir);
        headless::UseHeadlessPlatform();
        ASSERT_EQ(InitMedia(), 0);
        headless::ClearMessages();
        ResourceManager::Instance().ForgetAll();
    }
    void TearDown() override {
        ResourceManager::Instance().ForgetAll();
        EndMedia();
        fs::current_path(home);
        fs::remove_all(dir);
    }

    // The pixels of an image, read back through a presented frame.
    static std::vector<uint32_t> Pixels(int handle, int width, int height) {
        SetDrawTarget(kBackBuffer);
        ClearScreen();
        DrawImage(0, 0, handle, 0);
        FlipScreen();
        const std::vector<uint32_t>& frame = headless::LastPresentedFrame();
        std::vector<uint32_t> out;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) out.push_back(frame[static_cast<std::size_t>(y * kScreenWidth + x)]);
        }
        return out;
    }

    static void Bfgpack(const std::string& command, const fs::path& in, const fs::path& out) {
        const std::string line = std::string("\"") + VELTRIM_BINARY_DIR + "/tools/bfgpack/bfgpack\" " + command +
                                 " \"" + in.string() + "\" \"" + out.string() + "\"";
        ASSERT_EQ(std::system(line.c_str()), 0) << line;
    }

    static std::size_t MessageCount() { return headless::Messages().size(); }

    ResourceManager& manager = ResourceManager::Instance();
    fs::path home;
    fs::path dir;
};

TEST_F(ResourceManagerTest, BfgpackRoundTripOfPngAndBmpGivesTheOriginalPixels) {
    const int w = 12;
    const int h = 10;
    const std::vector<uint32_t> pixels = QuarterPixels(w, h);
    WriteFile("pic.png", image_writers::PngFile(image_writers::MakePicture(w, h, pixels), {}));
    WriteFile("pic.bmp", MakeBmp(w, h, pixels));
    for (const char* name : {"pic.png", "pic.bmp"}) {
        SCOPED_TRACE(name);
        const fs::path packed = std::string(name) + ".bfg";
        Bfgpack("pack", name, packed);
        const int handle = manager.LoadImageFile(packed.wstring());
        ASSERT_NE(handle, -1);
        EXPECT_EQ(Pixels(handle, w, h), pixels);
        DeleteImage(handle, 0);

        // And back: unpacking restores the file byte for byte.
        Bfgpack("unpack", packed, "back.bin");
        std::ifstream original(name, std::ios::binary);
        std::ifstream back("back.bin", std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(original), {}),
                  std::string(std::istreambuf_iterator<char>(back), {}));
    }
}

TEST_F(ResourceManagerTest, BfgpackRoundTripOfJpegDecodesLikeTheJpegItself) {
    const int w = 16;
    const int h = 16;
    const std::vector<uint32_t> pixels = QuarterPixels(w, h);
    const std::vector<uint8_t> jpeg = image_writers::JpegFile(image_writers::MakePicture(w, h, pixels), false);
    WriteFile("pic.jpg", jpeg);
    Bfgpack("pack", "pic.jpg", "pic.bfg");

    const int direct = CreateImageFromMemory(jpeg.data(), static_cast<int>(jpeg.size()), nullptr, 0, 1, 0);
    const int packed = manager.LoadImageFile(L"pic.bfg");
    ASSERT_NE(direct, -1);
    ASSERT_NE(packed, -1);
    const std::vector<uint32_t> expected = Pixels(direct, w, h);
    EXPECT_EQ(Pixels(packed, w, h), expected);
    // JPEG is lossy, but the quarters stay close to their colours.
    auto near = [](uint32_t a, uint32_t b) {
        for (int shift : {0, 8, 16}) {
            if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 24) return false;
        }
        return true;
    };
    EXPECT_TRUE(near(expected[0], pixels[0]));
    EXPECT_TRUE(near(expected[w * h - 1], pixels[w * h - 1]));
    DeleteImage(direct, 0);
    DeleteImage(packed, 0);
}

TEST_F(ResourceManagerTest, SameNameTwiceGivesTheSameHandleAndReadsTheDiskOnce) {
    WriteBfg("logo.bfg", MakeSolidBmp(4, 4, 0x123456));
    const int first = manager.GetImage(L"logo.bfg");
    ASSERT_NE(first, -1);
    fs::remove("logo.bfg");  // a second read from disk would now fail
    EXPECT_EQ(manager.GetImage(L"logo.bfg"), first);
    EXPECT_EQ(MessageCount(), 0u);
    ASSERT_EQ(manager.Entries().size(), 1u);
    EXPECT_EQ(manager.Entries()[0].name, L"logo.bfg");
}

TEST_F(ResourceManagerTest, FailuresAreReportedEveryTimeAndNotCached) {
    EXPECT_EQ(manager.GetImage(L"late.bfg"), -1);
    ASSERT_EQ(MessageCount(), 1u);
    EXPECT_EQ(headless::Messages()[0].text, "リソースの読み込みに失敗しました。");
    EXPECT_EQ(headless::Messages()[0].caption, "エラー");
    EXPECT_EQ(manager.GetImage(L"late.bfg"), -1);
    EXPECT_EQ(MessageCount(), 2u);
    EXPECT_TRUE(manager.Entries().empty());

    WriteBfg("late.bfg", MakeSolidBmp(2, 2, 0xFFFFFF));
    EXPECT_NE(manager.GetImage(L"late.bfg"), -1);
    EXPECT_EQ(MessageCount(), 2u);
}

TEST_F(ResourceManagerTest, AnOptionalFileThatFailsIsSilentAndLoggedOnce) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(manager.GetSound(L"undo.wav", ResourceNeed::Optional), -1);
    EXPECT_EQ(manager.GetSound(L"undo.wav", ResourceNeed::Optional), -1);
    EXPECT_EQ(manager.GetImage(L"banner.bfg", ResourceNeed::Optional), -1);
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(MessageCount(), 0u) << "an addition's file never shows a message";
    EXPECT_EQ(printed, "resource: undo.wav could not be loaded; going on without it\n"
                       "resource: banner.bfg could not be loaded; going on without it\n");
    EXPECT_TRUE(manager.Entries().empty());
    // A required file that fails still tells the player, every time.
    EXPECT_EQ(manager.GetImage(L"logo.bfg"), -1);
    EXPECT_EQ(MessageCount(), 1u);
}

TEST_F(ResourceManagerTest, AnOptionalFileThatLoadsIsCachedLikeAnyOther) {
    WriteBfg("banner.bfg", MakeSolidBmp(2, 2, 0x123456));
    const int banner = manager.GetImage(L"banner.bfg", ResourceNeed::Optional);
    ASSERT_NE(banner, -1);
    EXPECT_EQ(manager.GetImage(L"banner.bfg"), banner);
    EXPECT_EQ(Pixels(banner, 1, 1)[0], 0x123456u);
    EXPECT_EQ(MessageCount(), 0u);
}

TEST_F(ResourceManagerTest, BrokenFilesAndUndecodableBytesAreFailures) {
    WriteFile("empty.bfg", std::vector<uint8_t>{});
    const std::vector<uint8_t> text = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};
    WriteBfg("text.bfg", text);
    EXPECT_EQ(manager.GetImage(L"empty.bfg"), -1);
    EXPECT_EQ(manager.GetImage(L"text.bfg"), -1);
    EXPECT_EQ(MessageCount(), 2u);
}

TEST_F(ResourceManagerTest, NamesAreComparedExactly) {
    WriteBfg("pic.bfg", MakeSolidBmp(2, 2, 0x00FF00));
    WriteBfg("Pic.bfg", MakeSolidBmp(2, 2, 0xFF0000));
    const int lower = manager.GetImage(L"pic.bfg");
    const int upper = manager.GetImage(L"Pic.bfg");
    const int dotted = manager.GetImage(L"./pic.bfg");
    ASSERT_NE(lower, -1);
    ASSERT_NE(upper, -1);
    ASSERT_NE(dotted, -1);
    EXPECT_NE(lower, upper);
    EXPECT_NE(lower, dotted);
    EXPECT_EQ(Pixels(upper, 1, 1)[0], 0xFF0000u);
    EXPECT_EQ(manager.Entries().size(), 3u);
}

TEST_F(ResourceManagerTest, PicturesAndSoundsShareOneNamespace) {
    WriteBfg("shared.bfg", MakeSolidBmp(2, 2, 0x0000FF));
    WriteFile("beep.wav", test_pictures::MakeWav());
    const int picture = manager.GetImage(L"shared.bfg");
    const int sound = manager.GetSound(L"beep.wav");
    ASSERT_NE(picture, -1);
    ASSERT_NE(sound, -1);
    // The rows do not know their kind: the name alone decides.
    EXPECT_EQ(manager.GetSound(L"shared.bfg"), picture);
    EXPECT_EQ(manager.GetImage(L"beep.wav"), sound);
    EXPECT_EQ(MessageCount(), 0u);
    EXPECT_EQ(manager.Entries().size(), 2u);
}

TEST_F(ResourceManagerTest, WithoutASoundDeviceGoodSoundsAreNotReportedAsFailures) {
    WriteFile("beep.wav", test_pictures::MakeWav());
    const std::vector<uint8_t> noise{'n', 'o', 't', ' ', 'w', 'a', 'v', 'e'};
    WriteFile("noise.wav", noise);
    media_detail::AudioShutdown();  // as on a machine without a sound card
    EXPECT_NE(manager.GetSound(L"beep.wav"), -1);
    EXPECT_EQ(MessageCount(), 0u);
    EXPECT_EQ(manager.GetSound(L"noise.wav"), -1);
    EXPECT_EQ(MessageCount(), 1u);
}

TEST_F(ResourceManagerTest, SoundNamesAreConvertedSafely) {
    WriteFile("効果音.wav", test_pictures::MakeWav());
    EXPECT_NE(manager.GetSound(L"効果音.wav"), -1);
    EXPECT_EQ(MessageCount(), 0u);

    // Longer than the 255 bytes the sound loader takes: a failed load.
    const std::wstring longName = std::wstring(300, L'a') + L".wav";
    EXPECT_EQ(manager.GetSound(longName), -1);
    // Not a Unicode scalar value: cannot become a file name.
    EXPECT_EQ(manager.GetSound(std::wstring(1, wchar_t(0xD800)) + L".wav"), -1);
    EXPECT_EQ(MessageCount(), 2u);
}

TEST_F(ResourceManagerTest, LoadImageFileIsUncachedAndSilent) {
    WriteBfg("ending.bfg", MakeSolidBmp(3, 3, 0x808080));
    const int a = manager.LoadImageFile(L"ending.bfg");
    const int b = manager.LoadImageFile(L"ending.bfg");
    ASSERT_NE(a, -1);
    ASSERT_NE(b, -1);
    EXPECT_NE(a, b);
    EXPECT_TRUE(manager.Entries().empty());
    EXPECT_EQ(DeleteImage(a, 0), 0);
    EXPECT_EQ(DeleteImage(b, 0), 0);
    EXPECT_EQ(manager.LoadImageFile(L"absent.bfg"), -1);
    EXPECT_EQ(MessageCount(), 0u);
}

}  // namespace
