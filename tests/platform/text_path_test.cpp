#include "platform/text_path.h"

#include <gtest/gtest.h>

using namespace orvalen;

TEST(TextPath, fileNameOfPath_takesTextAfterTheLastSeparator)
{
    EXPECT_EQ(fileNameOfPath("D:\\a\\b.wav"), "b.wav");
    EXPECT_EQ(fileNameOfPath("b.wav"), "b.wav");
    EXPECT_EQ(fileNameOfPath("/a/b.wav"), "b.wav");
    EXPECT_EQ(fileNameOfPath("sounds/"), "");
}

TEST(TextPath, fileExtension_onlyWhenTheDotIsInTheLastPart)
{
    EXPECT_EQ(fileExtension("D:\\x.y\\file"), "");
    EXPECT_EQ(fileExtension("/x.y/file"), "");
    EXPECT_EQ(fileExtension("D:\\a\\b.MP3"), "MP3");
    EXPECT_EQ(fileExtension("abc"), "");
    EXPECT_EQ(fileExtension("a.tar.gz"), "gz");
    EXPECT_EQ(fileExtension("name."), "");
}

TEST(TextPath, cutAtControlChar_endsBeforeTheFirstOne)
{
    EXPECT_EQ(cutAtControlChar(QString("abc") + QChar(0) + "xyz"), "abc");
    EXPECT_EQ(cutAtControlChar("a\tb\nc"), "a");
    EXPECT_EQ(cutAtControlChar("line\r\n"), "line");
    EXPECT_EQ(cutAtControlChar("abc 中文"), "abc 中文");
    EXPECT_EQ(cutAtControlChar(QString(QChar(0))), "");
}

TEST(TextPath, textDisplayWidth_countsNarrowCharactersHalf)
{
    EXPECT_DOUBLE_EQ(textDisplayWidth("ab阶 "), 3.0);
    EXPECT_DOUBLE_EQ(textDisplayWidth("a-b"), 2.0);
    EXPECT_DOUBLE_EQ(textDisplayWidth("Z9."), 1.5);
    EXPECT_DOUBLE_EQ(textDisplayWidth(""), 0.0);
    EXPECT_DOUBLE_EQ(textDisplayWidth("阶段一阶段二阶段三阶段四阶段五"), 15.0);
}

TEST(TextPath, leadingNumber_readsLikeVal)
{
    EXPECT_DOUBLE_EQ(leadingNumber("12ab"), 12);
    EXPECT_DOUBLE_EQ(leadingNumber("abc"), 0);
    EXPECT_DOUBLE_EQ(leadingNumber(""), 0);
    EXPECT_DOUBLE_EQ(leadingNumber(" 5"), 5);
    EXPECT_DOUBLE_EQ(leadingNumber("1 2"), 12);
    EXPECT_DOUBLE_EQ(leadingNumber("-2147483640"), -2147483640.0);
    EXPECT_DOUBLE_EQ(leadingNumber("+7"), 7);
    EXPECT_DOUBLE_EQ(leadingNumber("- 3"), -3);
    EXPECT_DOUBLE_EQ(leadingNumber("4.0"), 4.0);
    EXPECT_DOUBLE_EQ(leadingNumber("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(leadingNumber(".5x"), 0.5);
    EXPECT_DOUBLE_EQ(leadingNumber("--5"), 0);
    EXPECT_DOUBLE_EQ(leadingNumber("80/50/"), 80);
    EXPECT_DOUBLE_EQ(leadingNumber("4,1"), 4); // a comma never counts as a decimal point
    EXPECT_TRUE(std::isinf(leadingNumber(QString(400, u'9'))));
}

TEST(TextPath, leadingInt_roundsHalfToEvenAndClamps)
{
    EXPECT_EQ(leadingInt("2.5"), 2);
    EXPECT_EQ(leadingInt("3.5"), 4);
    EXPECT_EQ(leadingInt("-2.5"), -2);
    EXPECT_EQ(leadingInt("2.51"), 3);
    EXPECT_EQ(leadingInt("99999999999"), INT32_MAX);
    EXPECT_EQ(leadingInt("-99999999999"), INT32_MIN);
    EXPECT_EQ(leadingInt(QString(100000, u'9')), INT32_MAX);
    EXPECT_EQ(leadingInt("x"), 0);
}
