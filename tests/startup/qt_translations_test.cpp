#include "startup/qt_translations.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace orvalen;

TEST(QtTranslationsTest, messageBoxButtonsReadChinese)
{
    ASSERT_TRUE(installQtTranslations(*qApp)) << "package qt6-translations-l10n missing";
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Orvalen"), QStringLiteral("没有连接扩展屏，请确认"),
                    QMessageBox::Ok | QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    EXPECT_NE(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Yes"));
    EXPECT_EQ(QLocale().language(), QLocale::Chinese);
}
