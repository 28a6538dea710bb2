#include "platform/text_path.h"

#include <gtest/gtest.h>

using namespace orvalen;

TEST(TextPath, fileNameOfPath_takesTextAfterTheLastSeparator)
{
    EXPECT_EQ(file_name_of_path("D:\\a\\b.wav"), "b.wav");
    EXPECT_EQ(file_name_of_path("b.wav"), "b.wav");
    EXPECT_EQ(file_name_of_path("/a/b.wav"), "b.wav");
    EXPECT_EQ(file_name_of_path("sounds/"), "");
}

TEST(TextPath, fileExtension_onlyWhenTheDotIsInTheLastPart)
{
    EXPECT_EQ(file_extension("D:\\x.y\\file"), "");
    EXPECT_EQ(file_extension("/x.y/file"), "");
    EXPECT_EQ(file_extension("D:\\a\\b.MP3"), "MP3");
    EXPECT_EQ(file_extension("abc"), "");
    EXPECT_EQ(file_extension("a.tar.gz"), "gz");
    EXPECT_EQ(file_extension("name."), "");
}

TEST(TextPath, cutAtControlChar_endsBeforeTheFirstOne)
{
    EXPECT_EQ(cut_at_control_char(QString("abc") + QChar(0) + "xyz"), "abc");
    EXPECT_EQ(cut_at_control_char("a\tb\nc"), "a");
    EXPECT_EQ(cut_at_control_char("line\r\n"), "line");
    EXPECT_EQ(cut_at_control_char("abc 中文"), "abc 中文");
    EXPECT_EQ(cut_at_control_char(QString(QChar(0))), "");
}

TEST(TextPath, textDisplayWidth_countsNarrowCharactersHalf)
{
    EXPECT_DOUBLE_EQ(text_display_width("ab阶 "), 3.0);
    EXPECT_DOUBLE_EQ(text_display_width("a-b"), 2.0);
    EXPECT_DOUBLE_EQ(text_display_width("Z9."), 1.5);
    EXPECT_DOUBLE_EQ(text_display_width(""), 0.0);
    EXPECT_DOUBLE_EQ(text_display_width("阶段一阶段二阶段三阶段四阶段五"), 15.0);
}

TEST(TextPath, leadingNumber_readsLikeVal)
{
    EXPECT_DOUBLE_EQ(leading_number("12ab"), 12);
    EXPECT_DOUBLE_EQ(leading_number("abc"), 0);
    EXPECT_DOUBLE_EQ(leading_number(""), 0);
    EXPECT_DOUBLE_EQ(leading_number(" 5"), 5);
    EXPECT_DOUBLE_EQ(leading_number("1 2"), 12);
    EXPECT_DOUBLE_EQ(leading_number("-2147483640"), -2147483640.0);
    EXPECT_DOUBLE_EQ(leading_number("+7"), 7);
    EXPECT_DOUBLE_EQ(leading_number("- 3"), -3);
    EXPECT_DOUBLE_EQ(leading_number("4.0"), 4.0);
    EXPECT_DOUBLE_EQ(leading_number("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(leading_number(".5x"), 0.5);
    EXPECT_DOUBLE_EQ(leading_number("--5"), 0);
    EXPECT_DOUBLE_EQ(leading_number("80/50/"), 80);
    EXPECT_DOUBLE_EQ(leading_number("4,1"), 4); // a comma never counts as a decimal point
    EXPECT_TRUE(std::isinf(leading_number(QString(400, u'9'))));
}

TEST(TextPath, leadingInt_roundsHalfToEvenAndClamps)
{
    EXPECT_EQ(leading_int("2.5"), 2);
    EXPECT_EQ(leading_int("3.5"), 4);
    EXPECT_EQ(leading_int("-2.5"), -2);
    EXPECT_EQ(leading_int("2.51"), 3);
    EXPECT_EQ(leading_int("99999999999"), INT32_MAX);
    EXPECT_EQ(leading_int("-99999999999"), INT32_MIN);
    EXPECT_EQ(leading_int(QString(100000, u'9')), INT32_MAX);
    EXPECT_EQ(leading_int("x"), 0);
}
