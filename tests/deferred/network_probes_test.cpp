#include "deferred/qt_network_probes.h"
#include "support/date_server.h"
#include "support/fake_time.h"
#include "support/wait_until.h"

#include <QLocale>
#include <QTimeZone>
#include <gtest/gtest.h>
#include <optional>

namespace orvalen::test {
namespace {

QDateTime utc(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc());
}

TEST(HttpDate, imfFixdate_readsAsUtcInAnyLetterCase)
{
    EXPECT_EQ(parseHttpDate("Mon, 07 Dec 2026 15:04:05 GMT"), utc(2026, 12, 7, 15, 4, 5));
    EXPECT_EQ(parseHttpDate("mon, 07 dec 2026 15:04:05 gmt"), utc(2026, 12, 7, 15, 4, 5));
    EXPECT_EQ(parseHttpDate("  Tue, 8 Dec 2026 20:00:00 GMT "), utc(2026, 12, 8, 20, 0, 0));
    EXPECT_EQ(parseHttpDate("07 Dec 2026 15:04:05 GMT"), utc(2026, 12, 7, 15, 4, 5));
    EXPECT_EQ(parseHttpDate("Mon, 07 Dec 2026 15:04:05 GMT").offsetFromUtc(), 0);
}

TEST(HttpDate, userLocaleWithOtherMonthNames_stillReads)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    const QDateTime read = parseHttpDate("Mon, 07 Dec 2026 15:04:05 GMT");
    QLocale::setDefault(before);
    EXPECT_EQ(read, utc(2026, 12, 7, 15, 4, 5));
}

TEST(HttpDate, otherFormsAndNonsense_giveNoInstantAndSayWhy)
{
    for (const QByteArray& header :
         {QByteArray(""), QByteArray("garbage"), QByteArray("Monday, 07-Dec-26 15:04:05 GMT"),
          QByteArray("Mon Dec  7 15:04:05 2026"), QByteArray("Mon, 07 Dec 2026 15:04:05 +0000"),
          QByteArray("Mon, 31 Feb 2026 15:04:05 GMT"), QByteArray("Mon, 07 Dec 2026 25:04:05 GMT"),
          QByteArray("Mon, 07 Foo 2026 15:04:05 GMT"), QByteArray(5000, 'x')}) {
        QString why;
        EXPECT_FALSE(parseHttpDate(header, &why).isValid()) << header.left(40).constData();
        EXPECT_FALSE(why.isEmpty()) << header.left(40).constData();
    }
}

TEST(ReachabilityTarget, portOfTheSchemeUnlessGiven)
{
    EXPECT_EQ(reachabilityTarget(QUrl("https://www.example.org/")), "www.example.org:443");
    EXPECT_EQ(reachabilityTarget(QUrl("http://127.0.0.1:8080/")), "127.0.0.1:8080");
    EXPECT_EQ(reachabilityTarget(QUrl("http://example.org/")), "example.org:80");
}

class NetworkProbesTest : public ::testing::Test {
protected:
    std::optional<WebDate> fetch(const QUrl& url)
    {
        std::optional<WebDate> got;
        probes.fetchWebDate(url, [&](WebDate d) { got = d; });
        EXPECT_FALSE(got) << "answered from inside the call";
        wait_until([&] { return got.has_value(); });
        return got;
    }
    std::optional<bool> ping(const QString& hosts)
    {
        std::optional<bool> got;
        probes.pingHost(hosts, [&](bool ok) { got = ok; });
        EXPECT_FALSE(got) << "answered from inside the call";
        wait_until([&] { return got.has_value(); });
        return got;
    }
    static QString local(quint16 port) { return QStringLiteral("127.0.0.1:%1").arg(port); }

    FakeClock clock;
    FakeTimers timers{clock};
    QtNetworkProbes probes{timers};
};

TEST_F(NetworkProbesTest, fetchWebDate_readsTheServersDateHeader)
{
    DateServer server;
    server.answer("Mon, 07 Dec 2026 15:04:05 GMT");
    const auto got = fetch(server.url());
    ASSERT_TRUE(got);
    EXPECT_EQ(got->utc, utc(2026, 12, 7, 15, 4, 5));
    EXPECT_TRUE(server.lastRequest().startsWith("GET / HTTP/1.1"));
    EXPECT_TRUE(server.lastRequest().contains("Cache-Control: no-cache"));
}

TEST_F(NetworkProbesTest, fetchWebDate_missingOrGarbledHeaderOrNoHttp_reportsWhy)
{
    DateServer noHeader;
    noHeader.answer("");
    DateServer badHeader;
    badHeader.answer("yesterday at noon");
    DateServer garbage;
    garbage.answerGarbage();
    for (DateServer* server : {&noHeader, &badHeader, &garbage}) {
        const auto got = fetch(server->url());
        ASSERT_TRUE(got);
        EXPECT_FALSE(got->ok());
        EXPECT_FALSE(got->failure.isEmpty());
    }
    const auto refused = fetch(QUrl(QStringLiteral("http://%1/").arg(local(closed_port()))));
    ASSERT_TRUE(refused);
    EXPECT_FALSE(refused->ok());
}

TEST_F(NetworkProbesTest, fetchWebDate_serverThatNeverAnswers_givesUpAtTheTransferTimeout)
{
    DateServer quiet;
    quiet.stayQuiet();
    std::optional<WebDate> got;
    probes.fetchWebDate(quiet.url(), [&](WebDate d) { got = d; });
    ASSERT_TRUE(wait_until([&] { return quiet.requests() == 1; }));
    timers.advance(4999);
    runQueuedCalls();
    EXPECT_FALSE(got);
    timers.advance(1);
    ASSERT_TRUE(got);
    EXPECT_FALSE(got->ok());
    EXPECT_EQ(got->failure, "no answer in time");
}

TEST_F(NetworkProbesTest, pingHost_reportsTheLastHostOfTheList)
{
    DateServer open;
    const QString up = local(open.port());
    const QString down = local(closed_port());
    EXPECT_EQ(ping(up), true);
    EXPECT_EQ(ping(down), false);
    EXPECT_EQ(ping(down + ";" + up), true);
    EXPECT_EQ(ping(up + ";" + down), false);
    EXPECT_EQ(ping(""), false);
}

} // namespace
} // namespace orvalen::test
