#include "about/about_window.h"

#include "support/fake_launcher.h"
#include "support/temp_program.h"

#include <QPushButton>
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
