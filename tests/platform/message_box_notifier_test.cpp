#include "platform/notifier.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

using namespace orvalen;

namespace {

QMessageBox* openBox()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
            return box;
    }
    return nullptr;
}

} // namespace

TEST(MessageBoxNotifier, timedNotice_closesItselfWithTheProgramTitle)
{
    MessageBoxNotifier notifier;
    QString title, text;
    QTimer::singleShot(0, [&] {
        if (QMessageBox* box = openBox()) {
            title = box->windowTitle();
            text = box->text();
        }
    });
    notifier.notice(QStringLiteral("已保存"), Notifier::Icon::Information, 1);
    EXPECT_EQ(title, QStringLiteral("Orvalen"));
    EXPECT_EQ(text, QStringLiteral("已保存"));
    EXPECT_EQ(openBox(), nullptr);
}

TEST(MessageBoxNotifier, question_answersWithTheButtonPressed)
{
    MessageBoxNotifier notifier;
    for (const auto button : {QMessageBox::Yes, QMessageBox::No}) {
        QString title;
        QTimer::singleShot(0, [&] {
            if (QMessageBox* box = openBox()) {
                title = box->windowTitle();
                box->button(button)->click();
            }
        });
        EXPECT_EQ(notifier.ask(QStringLiteral("删除吗？"), QStringLiteral("提示")), button == QMessageBox::Yes);
        EXPECT_EQ(title, QStringLiteral("提示"));
    }
}

TEST(MessageBoxNotifier, markupInAValue_isShownAsItIs_andTheBoxLeavesRoomForItsTitle)
{
    MessageBoxNotifier notifier;
    Qt::TextFormat format = Qt::AutoText;
    int width = 0, titleWidth = 0, lineHeight = 0;
    QTimer::singleShot(0, [&] {
        if (QMessageBox* box = openBox()) {
            format = box->textFormat();
            width = box->width();
            titleWidth = box->fontMetrics().horizontalAdvance(box->windowTitle());
            lineHeight = box->fontMetrics().height();
        }
    });
    notifier.notice(QStringLiteral("<b>x</b>"), Notifier::Icon::None, 1);
    EXPECT_EQ(format, Qt::PlainText);
    // A short text: the box still leaves room beside the title for the
    // window's icon and its three buttons.
    EXPECT_GE(width, titleWidth + 5 * lineHeight);

    QTimer::singleShot(0, [&] {
        if (QMessageBox* box = openBox()) {
            format = box->textFormat();
            box->button(QMessageBox::No)->click();
        }
    });
    format = Qt::AutoText;
    notifier.ask(QStringLiteral("删除 <i>计划</i> 吗？"));
    EXPECT_EQ(format, Qt::PlainText);
}
