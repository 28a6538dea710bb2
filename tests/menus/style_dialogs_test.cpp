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
    installCjkSubstitutions(); // as the display does: "宋体" is drawn by an installed CJK font
    QFont initial(QStringLiteral("宋体"));
    initial.setPointSizeF(90);
    QStringList listed;
    QFont shown;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        listed = qobject_cast<QStringListModel*>(dialog->findChildren<QListView*>().value(0)->model())->stringList();
        shown = dialog->currentFont();
        dialog->accept();
    });
    const std::optional<QFont> chosen = QtStyleDialogs(nullptr).chooseFont(initial, QStringLiteral("中层干部年终述职考评会"));

    EXPECT_TRUE(listed.contains(cjk.first())) << listed.join(", ").toStdString();
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isFixedPitch(family) && !QFontDatabase::isPrivateFamily(family)) {
            EXPECT_TRUE(listed.contains(family)) << family.toStdString();
        }
    }
    EXPECT_LT(listed.size(), QFontDatabase::families().size()); // Latin-only text faces are left out
    EXPECT_TRUE(cjk.contains(shown.family()));
    EXPECT_EQ(shown.pointSize(), 90);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->family(), shown.family());
}
