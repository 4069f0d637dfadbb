// SPDX-License-Identifier: GPL-3.0-or-later
// Text through the default font: placement, edge, anti-aliasing, blending.
#include <string>

#include "graphics_fixture.h"

using namespace graphics_test;

namespace {

class TextTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        Fill(kBlue);
    }
    // Bounding box of pixels that are no longer blue.
    static ClipRectLike Ink() {
        ClipRectLike box{kScreenWidth, kScreenHeight, -1, -1};
        for (int y = 0; y < kScreenHeight; ++y)
            for (int x = 0; x < kScreenWidth; ++x)
                if (Pixel(x, y) != kBlue) {
                    box.left = std::min(box.left, x), box.top = std::min(box.top, y);
                    box.right = std::max(box.right, x + 1), box.bottom = std::max(box.bottom, y + 1);
                }
        return box;
    }
    static int Count(uint32_t colour) { return kScreenWidth * kScreenHeight - CountNot(colour); }
};

TEST_F(TextTest, NothingIsDrawnLegiblyWithAnEdge) {
    SetFontType(3);
    SetFontSize(24);
    ASSERT_EQ(DrawText(280, 230, "Nothing", static_cast<int>(kWhite), 0), 0);
    const ClipRectLike box = Ink();
    // Seven fixed-pitch characters of a 24-pixel bold face.
    EXPECT_GE(box.left, 280);
    EXPECT_GE(box.top, 230);
    EXPECT_GT(box.right - box.left, 7 * 10);
    EXPECT_LT(box.right - box.left, 7 * 20);
    EXPECT_GT(box.bottom - box.top, 14);
    EXPECT_LT(box.bottom - box.top, 34);
    EXPECT_GT(Count(kWhite), 150);  // solid strokes
    EXPECT_GT(Count(kBlack), 60);   // the edge round them (solid where it is not blended)
    // Every white pixel has its edge: no white pixel touches the background.
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            if (Pixel(x, y) == kWhite) {
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) ASSERT_NE(Pixel(x + dx, y + dy), kBlue) << x << "," << y;
            }
}

TEST_F(TextTest, TheTwentyFourPixelCellStartsAtY) {
    SetFontType(3);
    SetFontSize(24);
    ASSERT_EQ(DrawText(280, 230, "Nothing", static_cast<int>(kWhite), 0), 0);
    const ClipRectLike box = Ink();
    // The capital starts near the top of the cell and the descender of "g"
    // stays inside it: 24 rows of characters plus the one-pixel edge.
    EXPECT_GE(box.top, 230);
    EXPECT_LE(box.top, 237);
    EXPECT_LE(box.bottom, 230 + 24 + 1);
    EXPECT_GE(box.bottom, 230 + 18);
}

TEST_F(TextTest, EverySizeKeepsItsCell) {
    SetFontType(0);
    for (const int size : {12, 16, 24, 32}) {
        Fill(kBlue);
        SetFontSize(size);
        DrawText(0, 100, "Mg|", static_cast<int>(kWhite), 0);
        const ClipRectLike box = Ink();
        EXPECT_GE(box.top, 100) << size;
        EXPECT_LE(box.bottom, 100 + size) << size;
        EXPECT_GE(box.bottom - box.top, size * 3 / 4) << size;  // not a smaller font than asked
    }
}

TEST_F(TextTest, WithoutAntiAliasingOnlyTheTwoColoursAppear) {
    SetFontType(1);
    SetFontSize(24);
    DrawText(10, 10, "Nothing", static_cast<int>(kWhite), static_cast<int>(kRed));
    EXPECT_EQ(Count(kWhite) + Count(kRed) + Count(kBlue), kScreenWidth * kScreenHeight);
    EXPECT_GT(Count(kWhite), 100);
    SetFontType(0);  // no edge either
    Fill(kBlue);
    DrawText(10, 10, "Nothing", static_cast<int>(kWhite), static_cast<int>(kRed));
    EXPECT_EQ(Count(kRed), 0);
    EXPECT_GT(Count(kWhite), 100);
}

TEST_F(TextTest, SizeChangesTheGlyphs) {
    SetFontType(0);
    SetFontSize(12);
    DrawText(0, 0, "MMMM", static_cast<int>(kWhite), 0);
    const int small = Ink().right;
    Fill(kBlue);
    SetFontSize(-1);  // back to the default 16
    DrawText(0, 0, "MMMM", static_cast<int>(kWhite), 0);
    const int standard = Ink().right;
    Fill(kBlue);
    SetFontSize(32);
    DrawText(0, 0, "MMMM", static_cast<int>(kWhite), 0);
    EXPECT_LT(small, standard);
    EXPECT_LT(standard, Ink().right);
}

// The width DrawText will cover, for centring: the drawn ink never reaches
// past it, and fills it but for the glyphs' side bearings.
TEST_F(TextTest, TextWidthCoversWhatIsDrawn) {
    EXPECT_EQ(GetTextWidth(""), 0);
    EXPECT_EQ(GetTextWidth(nullptr), -1);
    for (const int type : {0, 3}) {
        SetFontType(type);
        for (const int size : {12, 24}) {
            SetFontSize(size);
            for (const char* text : {"M", "STAGE", "Counting in Threes"}) {
                Fill(kBlue);
                DrawText(100, 100, text, static_cast<int>(kWhite), 0);
                const ClipRectLike box = Ink();
                const int width = GetTextWidth(text);
                SCOPED_TRACE(std::string(text) + " type " + std::to_string(type) + " size " + std::to_string(size));
                EXPECT_GE(box.left, 100);
                EXPECT_LE(box.right, 100 + width);
                EXPECT_GT(box.right - box.left, width - size / 2);
            }
        }
    }
    // A fixed-pitch face: ten characters are ten times one, without the edge.
    SetFontType(0);
    SetFontSize(24);
    EXPECT_EQ(GetTextWidth("MMMMMMMMMM"), 10 * GetTextWidth("M"));
}

TEST_F(TextTest, EmptyTextAndBlending) {
    EXPECT_EQ(DrawText(0, 0, "", static_cast<int>(kWhite), 0), 0);
    EXPECT_EQ(CountNot(kBlue), 0);
    SetFontType(0);
    SetBlendMode(1, 0);
    DrawText(0, 0, "Nothing", static_cast<int>(kWhite), 0);
    EXPECT_EQ(CountNot(kBlue), 0);
    SetBlendMode(1, 128);
    SetFontSize(24);
    DrawText(0, 0, "I", static_cast<int>(kWhite), 0);
    // Full coverage at half opacity gives exactly the half mix.
    EXPECT_GT(Count(static_cast<uint32_t>(MakeColor(128, 128, 255))), 10);
    EXPECT_EQ(Count(kWhite), 0);
}

TEST_F(TextTest, ClipsAtTheScreenEdges) {
    SetFontType(3);
    SetFontSize(24);
    EXPECT_EQ(DrawText(620, 470, "Nothing", static_cast<int>(kWhite), 0), 0);
    EXPECT_EQ(DrawText(-40, -10, "Nothing", static_cast<int>(kWhite), 0), 0);
    EXPECT_GT(CountNot(kBlue), 0);
}

}  // namespace
