#include "services/file_dialog.h"
#include "support/recording_notifier.h"

#include <gtest/gtest.h>

using namespace orvalen;

namespace {

class FakeChooser final : public FileChooser {
public:
    QString choose(const FileDialogRequest& request) override
    {
        requests.push_back(request);
        return answer;
    }
    std::vector<FileDialogRequest> requests;
    QString answer = QStringLiteral("/home/u/a.wav");
};

} // namespace

TEST(FileDialog, pipeFilter_becomesQtFilterPairs)
{
    EXPECT_EQ(dialogFilter(QStringLiteral("声音文件|*.wav;*.mp3|所有文件|*.*")),
              QStringLiteral("声音文件 (*.wav *.mp3);;所有文件 (*.*)"));
    EXPECT_EQ(dialogFilter(QStringLiteral("图片文件(*.jpg),*.ico,*.bmp,*.gif)|*.jpg;*.ico;*.bmp;*.gif")),
              QStringLiteral("图片文件(*.jpg),*.ico,*.bmp,*.gif) (*.jpg *.ico *.bmp *.gif)"));
    EXPECT_EQ(dialogFilter(QString()), QString());
}

TEST(FileDialog, overlongInitialName_showsTheOverflowMessageAndNoDialog)
{
    FakeChooser chooser;
    test::RecordingNotifier notifier;
    const QString result = fileDialog(chooser, notifier, false, QStringLiteral("t"), QStringLiteral("a|*.a"),
                                       QString(261, QLatin1Char('x')), QString(), QString());
    EXPECT_TRUE(result.isEmpty());
    EXPECT_TRUE(chooser.requests.empty());
    ASSERT_EQ(notifier.shown.size(), 1u);
    EXPECT_EQ(notifier.shown[0].text, QStringLiteral("Filename Length Overflow"));
    EXPECT_EQ(notifier.shown[0].title, QStringLiteral("Orvalen - FileDialog Function"));
    EXPECT_EQ(notifier.shown[0].icon, Notifier::Icon::Warning);
}

TEST(FileDialog, request_carriesEverythingAndReturnsTheChoice)
{
    FakeChooser chooser;
    test::RecordingNotifier notifier;
    const QString result = fileDialog(chooser, notifier, true, QStringLiteral("保存"), QStringLiteral("表格|*.csv"),
                                       QString(260, QLatin1Char('y')), QStringLiteral("csv"), QStringLiteral("/tmp"));
    EXPECT_EQ(result, chooser.answer);
    ASSERT_EQ(chooser.requests.size(), 1u);
    const FileDialogRequest& r = chooser.requests[0];
    EXPECT_TRUE(r.save);
    EXPECT_EQ(r.title, QStringLiteral("保存"));
    EXPECT_EQ(r.filter, QStringLiteral("表格 (*.csv)"));
    EXPECT_EQ(r.fileName.size(), 260);
    EXPECT_EQ(r.defaultExtension, QStringLiteral("csv"));
    EXPECT_EQ(r.initialFolder, QStringLiteral("/tmp"));
    EXPECT_TRUE(notifier.shown.empty());
}
