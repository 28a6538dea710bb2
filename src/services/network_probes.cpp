#include "services/network_probes.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTimeZone>

namespace orvalen {

QList<QUrl> default_time_portals()
{
    // Large sites that answer from many places of the world; all over
    // HTTPS, so nobody on the way can hand the display a wrong time.
    return {QUrl("https://www.baidu.com/"),     QUrl("https://www.qq.com/"),
            QUrl("https://www.bing.com/"),      QUrl("https://www.cloudflare.com/"),
            QUrl("https://www.microsoft.com/"), QUrl("https://www.google.com/")};
}

QString reachability_target(const QUrl& address)
{
    const int defaultPort = address.scheme().compare("http", Qt::CaseInsensitive) == 0 ? 80 : 443;
    QString host = address.host();
    if (host.contains(':'))
        host = '[' + host + ']';
    return host + ':' + QString::number(address.port(defaultPort));
}

QDateTime parse_http_date(const QByteArray& header, QString* why)
{
    // IMF-fixdate, the form every current server sends. The weekday is not
    // checked (the date says which day it is).
    static const QRegularExpression form(
        R"(^\s*(?:[A-Za-z]{3,9},\s*)?(\d{1,2})\s+([A-Za-z]{3})\s+(\d{4})\s+(\d{2}):(\d{2}):(\d{2})\s+GMT\s*$)",
        QRegularExpression::CaseInsensitiveOption);
    auto fail = [why](const QString& reason) {
        if (why)
            *why = reason;
        return QDateTime();
    };
    if (header.trimmed().isEmpty())
        return fail(QStringLiteral("empty Date header"));
    const QString text = QString::fromLatin1(header.left(200));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return fail(QStringLiteral("Date header in an unknown form: \"%1\"").arg(text.simplified()));
    // Month names are English whatever the user's locale is: read them with
    // the C locale, written the way it spells them.
    const QString month = m.captured(2).left(1).toUpper() + m.captured(2).mid(1).toLower();
    const QString normal = QStringLiteral("%1 %2 %3 %4:%5:%6")
                               .arg(m.captured(1), month, m.captured(3), m.captured(4),
                                    m.captured(5), m.captured(6));
    QDateTime utc = QLocale::c().toDateTime(normal, QStringLiteral("d MMM yyyy HH:mm:ss"));
    if (!utc.isValid())
        return fail(QStringLiteral("Date header names no real instant: \"%1\"").arg(text.simplified()));
    utc.setTimeZone(QTimeZone::utc());
    return utc;
}

} // namespace orvalen
