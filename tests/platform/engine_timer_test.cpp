#include "platform/engine_timer.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace orvalen {
namespace {

TEST(QtEngineTimerTest, post_runsOnceWhenBackInTheEventLoop_disablingCancelsIt)
{
    QtTimerFactory factory;
    const auto timer = factory.create(QStringLiteral("set-up"));
    int calls = 0;
    timer->setHandler([&] { ++calls; });

    timer->post();
    timer->post(); // still one call
    EXPECT_TRUE(timer->isEnabled());
    EXPECT_EQ(calls, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(timer->isEnabled());

    timer->post();
    timer->setEnabled(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 1);
}

} // namespace
} // namespace orvalen
