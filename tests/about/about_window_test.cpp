#include "about/about_window.h"

#include "support/fake_launcher.h"
#include "support/temp_program.h"

#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace orvalen;
using namespace orvalen::test;

TEST(AboutWindow, pictureOpensTheStoredAddressOnceAndCloses_captionOnlyCloses)
{
    TempProgram program;
    program.ini.write("About", "url", " https://example.org/videos ");
    FakeLauncher launcher;
    AboutWindow window(program.context, launcher);
    window.show();
    window.picture()->click();
    EXPECT_EQ(launcher.desktop, QStringList{"https://example.org/videos"});
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);

    AboutWindow other(program.context, launcher);
    other.show();
    other.caption()->click();
    EXPECT_FALSE(other.isVisible());
    EXPECT_EQ(launcher.desktop.size(), 1);
}

TEST(AboutWindow, noAddressStored_pictureOpensTheProgramsOwnHelpPages)
{
    TempProgram program;
    if (!program.context.folder.exists("help/index.html"))
        GTEST_SKIP() << "the built program folder is not there";
    FakeLauncher launcher;
    AboutWindow window(program.context, launcher);
    window.picture()->click();
    EXPECT_EQ(launcher.desktop, QStringList{program.context.folder.resolve("help/index.html")});
    EXPECT_TRUE(program.notifier.shown.empty());
}

TEST(AboutWindow, addressNeitherWebLinkNorProgramFile_opensNothingAndSaysSoOnce)
{
    TempProgram program;
    ASSERT_TRUE(program.writeFile("pages/video.html", "<p>x</p>"));
    QTemporaryDir outside;
    QFile elsewhere(outside.filePath("page.html"));
    ASSERT_TRUE(elsewhere.open(QIODevice::WriteOnly));
    elsewhere.close();
    const QString inside = QFileInfo(program.file("pages/video.html")).canonicalFilePath();

    const std::vector<std::pair<QString, QString>> cases{
        {"http://example.org/v", "http://example.org/v"},
        {"HTTPS://example.org/v?a=1", "HTTPS://example.org/v?a=1"},
        {"pages/video.html", inside},
        {QUrl::fromLocalFile(inside).toString(), inside},
        {QUrl::fromLocalFile(elsewhere.fileName()).toString(), ""},
        {elsewhere.fileName(), ""},
        {"pages/../../page.html", ""},
        {"javascript:alert(1)", ""},
        {"https:///nohost", ""},
        {"example", ""},
    };
    for (const auto& [address, opened] : cases) {
        SCOPED_TRACE(address.toStdString());
        program.ini.write("About", "url", address);
        program.notifier.shown.clear();
        FakeLauncher launcher;
        AboutWindow window(program.context, launcher);
        window.picture()->click();
        if (opened.isEmpty()) {
            EXPECT_TRUE(launcher.desktop.isEmpty());
            EXPECT_TRUE(launcher.started.empty());
            ASSERT_EQ(program.notifier.shown.size(), 1u);
            EXPECT_TRUE(program.notifier.shown[0].text.contains(address));
        } else {
            EXPECT_EQ(launcher.desktop.join('|').toStdString(), opened.toStdString());
            EXPECT_TRUE(program.notifier.shown.empty());
        }
    }
}
