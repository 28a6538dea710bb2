#include "services/help_links.h"
#include "platform/program_folder.h"
#include "support/fake_launcher.h"
#include "support/recording_notifier.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orvalen;

namespace {

// A desktop with a CHM viewer registered.
test::FakeLauncher chm_desktop()
{
    test::FakeLauncher launcher;
    launcher.handlers.insert(QStringLiteral("application/x-chm"), QStringLiteral("xchm.desktop"));
    return launcher;
}

} // namespace

TEST(HelpFile, missing_showsTheMessageAndLaunchesNothing)
{
    QTemporaryDir dir;
    test::FakeLauncher launcher;
    test::RecordingNotifier notifier;
    openHelpFile(ProgramFolder(dir.path()), launcher, notifier);
    ASSERT_EQ(notifier.shown.size(), 1u);
    EXPECT_EQ(notifier.shown[0].text, QStringLiteral("help.chm不存在，请保证文件完整"));
    EXPECT_EQ(notifier.shown[0].icon, Notifier::Icon::Question);
    EXPECT_EQ(notifier.shown[0].title, QStringLiteral("Orvalen"));
    EXPECT_TRUE(launcher.desktop.isEmpty());
    EXPECT_TRUE(launcher.started.empty());
}

TEST(HelpFile, foundInAnyCase_fallsBackToXdgOpenWithThePathAsOneArgument)
{
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("with blanks")));
    const QString help = dir.filePath(QStringLiteral("with blanks/HELP.CHM"));
    QFile f(help);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    test::FakeLauncher launcher = chm_desktop();
    launcher.desktopWorks = false;
    test::RecordingNotifier notifier;
    openHelpFile(ProgramFolder(dir.filePath(QStringLiteral("with blanks"))), launcher, notifier);
    EXPECT_EQ(launcher.desktop, QStringList{help});
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].first, QStringLiteral("xdg-open"));
    EXPECT_EQ(launcher.started[0].second, QStringList{help});
    EXPECT_TRUE(notifier.shown.empty());

    // Nothing could open it: the operator is told.
    launcher.startWorks = false;
    openHelpFile(ProgramFolder(dir.filePath(QStringLiteral("with blanks"))), launcher, notifier);
    EXPECT_EQ(notifier.shown.size(), 1u);
}

TEST(HelpFile, noChmViewer_opensTheHtmlPages_andWhenNothingOpensOneMessageNamesBothForms)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("help"))));
    for (const char* name : {"help.chm", "help/index.html"}) {
        QFile f(dir.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    test::FakeLauncher launcher;
    test::RecordingNotifier notifier;
    openHelpFile(ProgramFolder(dir.path()), launcher, notifier);
    EXPECT_EQ(launcher.desktop, QStringList{dir.filePath(QStringLiteral("help/index.html"))});
    EXPECT_TRUE(notifier.shown.empty());

    // A viewer and a browser that both fail: the pages are named with the file.
    test::FakeLauncher failing = chm_desktop();
    failing.desktopWorks = false;
    failing.startWorks = false;
    openHelpFile(ProgramFolder(dir.path()), failing, notifier);
    ASSERT_EQ(notifier.shown.size(), 1u);
    EXPECT_TRUE(notifier.shown[0].text.contains(dir.filePath(QStringLiteral("help.chm"))));
    EXPECT_TRUE(notifier.shown[0].text.contains(dir.filePath(QStringLiteral("help/index.html"))));

    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("help/index.html"))));
    openHelpFile(ProgramFolder(dir.path()), launcher, notifier);
    ASSERT_EQ(notifier.shown.size(), 2u);
    EXPECT_TRUE(notifier.shown[1].text.contains(dir.filePath(QStringLiteral("help.chm"))));
    EXPECT_TRUE(notifier.shown[1].text.contains(QStringLiteral("help/index.html（不存在）")));
}

TEST(OpenUrl, linkGoesToTheDesktopAsItIsAndFallsBackToXdgOpen)
{
    test::FakeLauncher launcher;
    test::RecordingNotifier notifier;
    const QString link = QStringLiteral("https://example.org/a b?x=1&y='2'");
    openLinkOrFile(link, launcher, notifier);
    EXPECT_EQ(launcher.desktop, QStringList{link});
    EXPECT_TRUE(launcher.started.empty());

    launcher.desktopWorks = false;
    openLinkOrFile(link, launcher, notifier);
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].second, QStringList{link});
    EXPECT_TRUE(notifier.shown.empty());
}

TEST(OpenUrl, fileTargetIsMadeAbsoluteSoItNeverReadsAsAnOption)
{
    test::FakeLauncher launcher;
    launcher.desktopWorks = false;
    test::RecordingNotifier notifier;
    openLinkOrFile(QStringLiteral("--help"), launcher, notifier);
    ASSERT_EQ(launcher.started.size(), 1u);
    ASSERT_EQ(launcher.started[0].second.size(), 1);
    EXPECT_TRUE(launcher.started[0].second[0].startsWith(QLatin1Char('/')));
    EXPECT_TRUE(launcher.started[0].second[0].endsWith(QStringLiteral("/--help")));
}
