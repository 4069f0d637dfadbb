// SPDX-License-Identifier: GPL-3.0-or-later
// The ObjData layout on its own: exact bytes, reading back, and how reading
// stops on bad or short input.
#include "editor/obj_data.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace objdata;

namespace {

ObjData TwoObjects() {
    ObjData data;
    data.pictureName = u"ab.bfg";
    data.objectWidth = 0x0120;
    data.objectHeight = 64;
    data.direction = 2;
    data.objects = {{u"x", 7}, {u"名前", 255}};
    return data;
}

const std::vector<std::uint8_t> kTwoObjectsBytes = {
    'K', 'O', 'B', 6,                                               // signature, name length
    'a', 0, 'b', 0, '.', 0, 'b', 0, 'f', 0, 'g', 0,                 // picture name
    0x20, 0x01, 64, 0,                                              // width, height
    2, 2,                                                           // direction, count
    1, 'x', 0, 7,                                                   // record 0
    2, 0x0D, 0x54, 0x4D, 0x52, 255,                                 // record 1: 名 U+540D, 前 U+524D
};

}  // namespace

class ObjDataLayoutTest : public ::testing::Test {};

TEST_F(ObjDataLayoutTest, WritesTheDocumentByteForByte) {
    const SerializedObjData written = SerializeObjData(TwoObjects());
    ASSERT_EQ(written.error, WriteError::None);
    EXPECT_EQ(written.bytes, kTwoObjectsBytes);
}

TEST_F(ObjDataLayoutTest, ReadsBackWhatItWrote) {
    const ParsedObjData parsed = ParseObjData(kTwoObjectsBytes);
    EXPECT_EQ(parsed.end, ReadEnd::Complete);
    EXPECT_EQ(parsed.progress, ReadProgress::Objects);
    EXPECT_EQ(parsed.bytesUsed, kTwoObjectsBytes.size());
    EXPECT_EQ(parsed.data, TwoObjects());
}

TEST_F(ObjDataLayoutTest, EmptyListIsHeaderOnly) {
    ObjData data = TwoObjects();
    data.objects.clear();
    const SerializedObjData written = SerializeObjData(data);
    ASSERT_EQ(written.error, WriteError::None);
    EXPECT_EQ(written.bytes.size(), 10u + 2u * data.pictureName.size());
    const ParsedObjData parsed = ParseObjData(written.bytes);
    EXPECT_EQ(parsed.end, ReadEnd::Complete);
    EXPECT_TRUE(parsed.data.objects.empty());
}

TEST_F(ObjDataLayoutTest, OtherSignatureIsReadWithoutComplaint) {
    std::vector<std::uint8_t> bytes = kTwoObjectsBytes;
    bytes[0] = 'X';
    bytes[2] = 0;
    const ParsedObjData parsed = ParseObjData(bytes);
    EXPECT_EQ(parsed.end, ReadEnd::Complete);
    EXPECT_EQ(parsed.data.objects, TwoObjects().objects);
    EXPECT_EQ(parsed.data.signature[0], 'X');
}

TEST_F(ObjDataLayoutTest, TrailingBytesAreIgnored) {
    std::vector<std::uint8_t> bytes = kTwoObjectsBytes;
    bytes.insert(bytes.end(), {1, 2, 3});
    const ParsedObjData parsed = ParseObjData(bytes);
    EXPECT_EQ(parsed.end, ReadEnd::Complete);
    EXPECT_EQ(parsed.bytesUsed, kTwoObjectsBytes.size());
}

TEST_F(ObjDataLayoutTest, DirectionAboveThreeStopsAfterTheObjectSize) {
    std::vector<std::uint8_t> bytes = kTwoObjectsBytes;
    bytes[20] = 4;
    const ParsedObjData parsed = ParseObjData(bytes);
    EXPECT_EQ(parsed.end, ReadEnd::BadDirection);
    EXPECT_EQ(parsed.progress, ReadProgress::ObjectSize);
    EXPECT_EQ(parsed.data.direction, 4);
    EXPECT_EQ(parsed.data.objectWidth, 0x0120);
    EXPECT_TRUE(parsed.data.objects.empty());
}

// Cutting the file at every length keeps exactly the whole fields before the cut.
TEST_F(ObjDataLayoutTest, TruncatedFileKeepsTheWholeFieldsBeforeTheCut) {
    struct Expect {
        std::size_t length;
        ReadProgress progress;
        std::size_t objects;
    };
    const Expect cases[] = {
        {0, ReadProgress::Nothing, 0},      {2, ReadProgress::Nothing, 0},
        {3, ReadProgress::Signature, 0},    {15, ReadProgress::Signature, 0},
        {16, ReadProgress::PictureName, 0}, {19, ReadProgress::PictureName, 0},
        {20, ReadProgress::ObjectSize, 0},  {21, ReadProgress::Direction, 0},
        {22, ReadProgress::Direction, 0},   {25, ReadProgress::Direction, 0},
        {26, ReadProgress::Direction, 1},   {31, ReadProgress::Direction, 1},
    };
    for (const Expect& expect : cases) {
        SCOPED_TRACE(expect.length);
        const ParsedObjData parsed =
            ParseObjData(std::span(kTwoObjectsBytes.data(), expect.length));
        EXPECT_EQ(parsed.end, ReadEnd::Truncated);
        EXPECT_EQ(parsed.progress, expect.progress);
        EXPECT_EQ(parsed.data.objects.size(), expect.objects);
        EXPECT_LE(parsed.bytesUsed, expect.length);
    }
    const ParsedObjData partial = ParseObjData(std::span(kTwoObjectsBytes.data(), 26));
    EXPECT_EQ(partial.data.objects[0], (ObjectRecord{u"x", 7}));
    EXPECT_EQ(partial.data.pictureName, u"ab.bfg");
}

TEST_F(ObjDataLayoutTest, RefusesWhatTheCountAndLengthBytesCannotHold) {
    ObjData data = TwoObjects();
    data.objects.assign(255, ObjectRecord{u"n", 1});
    EXPECT_EQ(SerializeObjData(data).error, WriteError::None);
    data.objects.push_back({u"one too many", 1});
    const SerializedObjData tooMany = SerializeObjData(data);
    EXPECT_EQ(tooMany.error, WriteError::TooManyObjects);
    EXPECT_TRUE(tooMany.bytes.empty());

    data = TwoObjects();
    data.objects[0].name.assign(256, u'a');
    EXPECT_EQ(SerializeObjData(data).error, WriteError::TextTooLong);
    data.objects[0].name.assign(255, u'a');
    EXPECT_EQ(SerializeObjData(data).error, WriteError::None);
}

class AttributeTextTest : public ::testing::Test {};

TEST_F(AttributeTextTest, KeepsTheLowEightBitsOfTheDecimalValue) {
    EXPECT_EQ(AttributeFromText(u"0"), 0);
    EXPECT_EQ(AttributeFromText(u"255"), 255);
    EXPECT_EQ(AttributeFromText(u"300"), 44);
    EXPECT_EQ(AttributeFromText(u"-1"), 255);
    EXPECT_EQ(AttributeFromText(u"-256"), 0);
}

TEST_F(AttributeTextTest, ReadsLikeTheCRuntime) {
    EXPECT_EQ(AttributeFromText(u""), 0);
    EXPECT_EQ(AttributeFromText(u"abc"), 0);
    EXPECT_EQ(AttributeFromText(u"  \t+12xyz"), 12);
    EXPECT_EQ(AttributeFromText(u"7 8"), 7);
    EXPECT_EQ(AttributeFromText(u"- 5"), 0);
    EXPECT_EQ(AttributeFromText(u"１２"), 0);  // full-width digits are not digits here
    EXPECT_EQ(DecimalTextValue(u"99999999999999999999"), INT64_MAX);
    EXPECT_EQ(DecimalTextValue(u"-99999999999999999999"), INT64_MIN);
    EXPECT_EQ(DecimalTextValue(u"-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(DecimalTextValue(u"123456789012"), 123456789012);
}

class PicturePathTest : public ::testing::Test {};

TEST_F(PicturePathTest, NameIsTheTextAfterTheLastSlash) {
    EXPECT_EQ(FinalComponent(u"/home/a/pics/chara.bfg"), u"chara.bfg");
    EXPECT_EQ(FinalComponent(u"chara.bfg"), u"chara.bfg");
    EXPECT_EQ(FinalComponent(u"/dir/"), u"");
}

TEST_F(PicturePathTest, PictureLiesBesideTheObjFile) {
    EXPECT_EQ(PicturePathBeside(u"/home/a/data/x.obj", u"chara.bfg"), u"/home/a/data/chara.bfg");
    EXPECT_EQ(PicturePathBeside(u"/x.obj", u"chara.bfg"), u"/chara.bfg");
    EXPECT_EQ(PicturePathBeside(u"x.obj", u"chara.bfg"), u"chara.bfg");
}
