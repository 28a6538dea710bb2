#include "startup/qt_translations.h"

#include "services/file_dialog.h"
#include "support/wait_until.h"
#include "support/when_shown.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QImage>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTreeView>
#include <gtest/gtest.h>
#include <map>

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

// The program's file dialog as the user meets it: a folder, a picture and a
// 1,000-byte file, each column in Chinese and whole, the dialog on its screen.
TEST(QtTranslationsTest, fileDialog_readsChineseAndShowsEveryColumnWhole)
{
    ASSERT_TRUE(installQtTranslations(*qApp)) << "package qt6-translations-l10n missing";
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("相册")));
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(folder.filePath(QStringLiteral("红色.bmp"))));
    QFile small(folder.filePath(QStringLiteral("thousand.jpg")));
    ASSERT_TRUE(small.open(QIODevice::WriteOnly));
    small.write(QByteArray(1000, 'x'));
    small.close();

    std::map<QString, QStringList> rows; // name -> size, type, date
    QStringList cut;                      // texts wider than their column
    QRect dialogFrame, screen;
    test::when_shown<QFileDialog>([&](QFileDialog* dialog) {
        auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        if (!view) {
            ADD_FAILURE() << "the dialog has no detail view";
            dialog->reject();
            return;
        }
        const auto read = [&] {
            rows.clear();
            cut.clear();
            const QAbstractItemModel* model = view->model();
            const QHeaderView* header = view->header();
            for (int column = 0; column < header->count(); ++column) {
                const QString title = model->headerData(column, Qt::Horizontal).toString();
                if (header->fontMetrics().horizontalAdvance(title) > header->sectionSize(column)
                    || header->sectionViewportPosition(column) + header->sectionSize(column) > view->viewport()->width())
                    cut << title;
            }
            for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
                const QModelIndex name = model->index(row, 0, view->rootIndex());
                QStringList& texts = rows[name.data().toString()];
                for (int column = 1; column <= 3; ++column) {
                    texts << name.siblingAtColumn(column).data().toString();
                    if (view->fontMetrics().horizontalAdvance(texts.back()) > view->columnWidth(column))
                        cut << texts.back();
                }
            }
            dialogFrame = dialog->frameGeometry();
            screen = dialog->screen()->availableGeometry();
            return rows.size() == 3 && cut.isEmpty() && !rows[QStringLiteral("相册")].value(1).isEmpty();
        };
        test::wait_until(read);
        dialog->reject();
    });
    QtFileChooser chooser;
    FileDialogRequest request;
    request.title = QStringLiteral("导入文件名称");
    request.filter = QStringLiteral("图片文件 (*.bmp *.jpg)");
    request.initialFolder = folder.path();
    EXPECT_TRUE(chooser.choose(request).isEmpty());

    EXPECT_EQ(rows[QStringLiteral("相册")].value(1), QStringLiteral("文件夹"));
    EXPECT_TRUE(rows[QStringLiteral("红色.bmp")].value(1).endsWith(QStringLiteral("BMP 图像")))
        << qPrintable(rows[QStringLiteral("红色.bmp")].value(1));
    EXPECT_EQ(rows[QStringLiteral("thousand.jpg")].value(0), QStringLiteral("1,000 字节"));
    EXPECT_EQ(rows[QStringLiteral("thousand.jpg")].value(2),
              QLocale().toString(QFileInfo(small).lastModified(), QLocale::ShortFormat));
    EXPECT_TRUE(cut.isEmpty()) << qPrintable(cut.join(QStringLiteral(", ")));
    EXPECT_TRUE(screen.contains(dialogFrame)) << dialogFrame.width() << "x" << dialogFrame.height();
}
