#include "services/file_dialog.h"
#include "support/recording_notifier.h"

#include "support/wait_until.h"
#include "support/when_shown.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTreeView>
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

TEST(FileDialog, qtDialog_showsTypeAndDateInChineseInColumnsWideEnough)
{
    const QLocale systemLocale;
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); // as the program runs
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile sound(folder.filePath(QStringLiteral("a.wav")));
    ASSERT_TRUE(sound.open(QIODevice::WriteOnly));
    sound.write(QByteArray(64, '\0'));
    sound.close();

    QString type, date;
    int typeWidth = 0, dateWidth = 0, typeColumn = 0, dateColumn = 0;
    test::when_shown<QFileDialog>([&](QFileDialog* dialog) {
        auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        if (!view) {
            ADD_FAILURE() << "the dialog has no detail view";
            dialog->reject();
            return;
        }
        const auto read = [&] {
            const QAbstractItemModel* model = view->model();
            for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
                const QModelIndex name = model->index(row, 0, view->rootIndex());
                if (name.data().toString() != QStringLiteral("a.wav"))
                    continue;
                type = name.siblingAtColumn(2).data().toString();
                date = name.siblingAtColumn(3).data().toString();
                typeWidth = view->fontMetrics().horizontalAdvance(type);
                dateWidth = view->fontMetrics().horizontalAdvance(date);
                typeColumn = view->columnWidth(2);
                dateColumn = view->columnWidth(3);
            }
            return !type.isEmpty() && typeColumn >= typeWidth && dateColumn >= dateWidth;
        };
        test::wait_until(read);
        dialog->reject();
    });
    QtFileChooser chooser;
    FileDialogRequest request;
    request.title = QStringLiteral("打开");
    request.filter = QStringLiteral("声音文件 (*.wav)");
    request.initialFolder = folder.path();
    EXPECT_TRUE(chooser.choose(request).isEmpty());
    QLocale::setDefault(systemLocale);

    EXPECT_TRUE(type.contains(QStringLiteral("音频"))) << qPrintable(type);
    EXPECT_EQ(date, QLocale(QLocale::Chinese, QLocale::China).toString(QFileInfo(sound).lastModified(), QLocale::ShortFormat))
        << qPrintable(date);
    EXPECT_GE(typeColumn, typeWidth) << qPrintable(type);
    EXPECT_GE(dateColumn, dateWidth) << qPrintable(date);
}
