#include "services/network_probes.h"
#include "support/date_server.h"
#include "support/fake_time.h"
#include "support/wait_until.h"

#include <QLibrary>
#include <QTimeZone>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace orvalen::test {
namespace {

// The program finds the parts of the module beside it by name: a part that
// is missing or renamed silences the sounds, the logo video or the network
// time, and nothing says so at start.
class DeferredModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(module.load()) << qPrintable(module.errorString());
    }
    template <typename F>
    F part(const char* name)
    {
        return reinterpret_cast<F>(module.resolve(name));
    }

    QLibrary module{qEnvironmentVariable("ORVALEN_PROGRAM_TEMPLATE") + QStringLiteral("/liborvalen_deferred.so")};
};

TEST_F(DeferredModuleTest, hasEveryPartAndItsProbesReadTheDate)
{
    EXPECT_NE(module.resolve("orvalen_make_logo_video"), nullptr);
    EXPECT_NE(module.resolve("orvalen_make_sound_backend"), nullptr);
    const auto make = part<NetworkProbes* (*)(TimerFactory&)>("orvalen_make_network_probes");
    ASSERT_NE(make, nullptr);
    FakeClock clock;
    FakeTimers timers{clock};
    const std::unique_ptr<NetworkProbes> probes(make(timers));
    DateServer server;
    server.answer("Mon, 07 Dec 2026 15:04:05 GMT");
    std::optional<WebDate> got;
    probes->fetch_web_date(server.url(), [&](WebDate d) { got = d; });
    ASSERT_TRUE(wait_until([&] { return got.has_value(); }));
    EXPECT_EQ(got->utc, QDateTime(QDate(2026, 12, 7), QTime(15, 4, 5), QTimeZone::utc()));
}

} // namespace
} // namespace orvalen::test
