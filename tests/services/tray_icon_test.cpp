#include "services/tray_icon.h"

#include <gtest/gtest.h>

using namespace orvalen;

TEST(TrayIconTip, longTipIsCutToTheFieldWithoutSplittingACharacter)
{
    const QString ascii(200, QLatin1Char('a'));
    EXPECT_EQ(TrayIcon::cutTip(ascii).size(), 127);
    const QString chinese = QString(100, QChar(0x5168)); // 2 bytes each
    EXPECT_EQ(TrayIcon::cutTip(chinese).size(), 63);
    EXPECT_EQ(TrayIcon::cutTip(QStringLiteral("Orvalen(全屏版)")), QStringLiteral("Orvalen(全屏版)"));
}
