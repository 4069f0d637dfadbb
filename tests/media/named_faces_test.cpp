// SPDX-License-Identifier: GPL-3.0-or-later
// Which face file every style of text is drawn with: the named faces, never
// whatever fontconfig would prefer on this machine (the set-up installs
// Noto Sans Mono, the URW fonts and Noto CJK so that it would prefer others).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "graphics_fixture.h"
#include "media/graphics/draw_state.h"
#include "media/graphics/named_faces.h"
#include "media/graphics/text_renderer.h"
#include "media/message_box/message_font.h"
#include "media/message_box/text_wrap.h"

using namespace media_detail;

namespace {

std::string FileName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

TEST(NamedFaces, EachStyleHasItsOwnFile) {
    EXPECT_EQ(FileName(ResolveFace(kTextFace).file), "DejaVuSansMono.ttf");
    EXPECT_EQ(FileName(ResolveFace(kTextBoldFace).file), "DejaVuSansMono-Bold.ttf");
    EXPECT_EQ(FileName(ResolveFace(kMessageFace).file), "DejaVuSans.ttf");
    EXPECT_EQ(FileName(ResolveFace(kMessageBoldFace).file), "DejaVuSans-Bold.ttf");
    EXPECT_EQ(FileName(ResolveFace(kMessageJapaneseFace).file), "ipagp.ttf");
    for (const NamedFace* face : {&kTextFace, &kTextBoldFace, &kMessageFace, &kMessageBoldFace, &kMessageJapaneseFace})
        EXPECT_TRUE(ResolveFace(*face).exact) << face->family << " " << face->style;
    EXPECT_TRUE(ResolveFace(kTextBoldFace).bold);
    EXPECT_FALSE(ResolveFace(kTextFace).bold);
}

TEST(NamedFaces, TheMessageBoxTakesDejaVuForLatinAndIpaForJapanese) {
    EXPECT_EQ(FileName(FindFaceCovering(DecodeUtf8("A picture or sound could not be loaded."), false).file),
              "DejaVuSans.ttf");
    EXPECT_EQ(FileName(FindFaceCovering(DecodeUtf8("Error"), true).file), "DejaVuSans-Bold.ttf");
    EXPECT_EQ(FileName(FindFaceCovering(DecodeUtf8("OK"), true).file), "DejaVuSans-Bold.ttf");
    EXPECT_EQ(FileName(FindFaceCovering(DecodeUtf8("リソースの読み込みに失敗しました。"), false).file), "ipagp.ttf");
    EXPECT_EQ(FileName(FindFaceCovering(DecodeUtf8("エラー"), true).file), "ipagp.ttf");
}

TEST(NamedFaces, AMissingFaceFallsBackToFontconfigWithOneLineOnStandardError) {
    constexpr NamedFace kMissing{"No Such Face Veltrim", "Book", "monospace", true};
    ForgetFaces();
    testing::internal::CaptureStderr();
    const ResolvedFace first = ResolveFace(kMissing);
    ForgetFaces();  // looked up afresh, as after a restart of the layer
    const ResolvedFace again = ResolveFace(kMissing);
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(first.exact);
    EXPECT_FALSE(first.file.empty()) << "fontconfig's own choice";
    EXPECT_EQ(again.file, first.file);
    EXPECT_NE(printed.find("No Such Face Veltrim Book is not installed"), std::string::npos) << printed;
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << printed;
    EXPECT_FALSE(FaceCovers(kMissing, U"A")) << "only the named face itself covers anything";
}

class GameTextFaceTest : public graphics_test::GraphicsTest {};

TEST_F(GameTextFaceTest, DrawTextOpensTheBoldFaceForTheGamesThicknessAndTheBookFaceBelowIt) {
    SetFontType(3);
    SetFontSize(24);
    ASSERT_EQ(DrawText(0, 0, "Nothing", static_cast<int>(graphics_test::kWhite), 0), 0);
    EXPECT_EQ(FileName(CurrentFontFile()), "DejaVuSansMono-Bold.ttf");
    State().font.thickness = 2;  // the layer's setting; the game itself keeps 6
    ASSERT_EQ(DrawText(0, 0, "Nothing", static_cast<int>(graphics_test::kWhite), 0), 0);
    EXPECT_EQ(FileName(CurrentFontFile()), "DejaVuSansMono.ttf");
}

}  // namespace
