#include "services/deferred_parts.h"
#include "services/network_probes.h"
#include "support/date_server.h"
#include "support/fake_time.h"
#include "support/wait_until.h"

#include <QPluginLoader>
#include <QTimeZone>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace orvalen::test {
namespace {

// The program loads the module beside it as a plugin of the parts'
// interface: a module that does not load, or answers another interface,
// silences the sounds, the logo video and the network time.
TEST(DeferredModuleTest, loadsAsThePartsPluginAndItsProbesReadTheDate)
{
    QPluginLoader loader(qEnvironmentVariable("ORVALEN_PROGRAM_TEMPLATE") + QStringLiteral("/liborvalen_deferred.so"));
    auto* parts = qobject_cast<DeferredParts*>(loader.instance());
    ASSERT_NE(parts, nullptr) << qPrintable(loader.errorString());
    EXPECT_NE(parts->makeSoundBackend(), nullptr);
    FakeClock clock;
    FakeTimers timers{clock};
    const std::unique_ptr<NetworkProbes> probes = parts->makeNetworkProbes(timers);
    DateServer server;
    server.answer("Mon, 07 Dec 2026 15:04:05 GMT");
    std::optional<WebDate> got;
    probes->fetchWebDate(server.url(), [&](WebDate d) { got = d; });
    ASSERT_TRUE(wait_until([&] { return got.has_value(); }));
    EXPECT_EQ(got->utc, QDateTime(QDate(2026, 12, 7), QTime(15, 4, 5), QTimeZone::utc()));
}

} // namespace
} // namespace orvalen::test
