#include "display/fonts.h"
#include "menus/style_dialogs.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QListView>
#include <QStringListModel>
#include <QTimer>
#include <gtest/gtest.h>

using namespace orvalen;

TEST(StyleDialogsTest, fontDialog_offersFixedPitchAndEveryFamilyDrawingTheText_withTheElementsFontSelected)
{
    const QStringList cjk = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    if (cjk.isEmpty())
        GTEST_SKIP() << "no CJK font installed";
    install_cjk_substitutions(); // as the display window does
    QFont initial(QStringLiteral("宋体")); // not installed here: drawn by a substitute
    initial.setPointSizeF(90);
    const QString title = QStringLiteral("中层干部年终述职考评会");

    QStringList listed;
    QFont shown;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        auto* list = dialog->findChildren<QListView*>().value(0);
        ASSERT_TRUE(list);
        listed = qobject_cast<QStringListModel*>(list->model())->stringList();
        shown = dialog->currentFont();
        dialog->accept();
    });
    QtStyleDialogs dialogs(nullptr);
    const std::optional<QFont> chosen = dialogs.chooseFont(initial, title);

    EXPECT_TRUE(listed.contains(cjk.first())) << listed.join(", ").toStdString();
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isFixedPitch(family) && !QFontDatabase::isPrivateFamily(family)) {
            EXPECT_TRUE(listed.contains(family)) << family.toStdString();
        }
    }
    EXPECT_LT(listed.size(), QFontDatabase::families().size()); // Latin-only text faces are left out
    EXPECT_TRUE(cjk.contains(QFontInfo(initial).family()));
    EXPECT_EQ(shown.family(), QFontInfo(initial).family());
    EXPECT_EQ(shown.pointSize(), 90);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->family(), shown.family());
}
