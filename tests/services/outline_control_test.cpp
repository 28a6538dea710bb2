#include "services/outline_control.h"

#include <gtest/gtest.h>

using namespace orvalen;

TEST(OutlineControl, frameSitsAboutTheControlInTwips)
{
    EXPECT_EQ(outlineRectTwips(QRect(1000, 2000, 300, 400)), QRect(985, 1985, 325, 430));
}
