#include "display/marquee_ticker.h"

#include "display/display_values.h"
#include "platform/engine_timer.h"
#include "platform/text_path.h"
#include "stores/ini_store.h"
#include "stores/time_data_keys.h"

#include <cmath>

namespace orvalen {

MarqueeTicker::MarqueeTicker(TimerFactory& timers, std::function<void()> step)
    : Ticker(timers, QStringLiteral("scrollTick")), m_step(std::move(step))
{
}

void MarqueeTicker::readSettings(const IniStore& ini)
{
    using namespace time_data;
    auto read = [&ini](const QString& key, const QString& fallback) {
        return ini.read(kMarquee, key, fallback);
    };
    if (const auto v = toInt16(leadingNumber(read(kMode, kModeDefault))))
        m_mode = *v;
    if (const auto v = toInt32(leadingNumber(read(kWidth, kWidthDisplayDefault).trimmed())))
        m_width = *v;
    if (const auto v = toInt16(leadingNumber(read(kMarqueeSpeed, kSpeedDisplayDefault).trimmed())))
        m_speed = *v;
}

void MarqueeTicker::keepPace()
{
    if (!(m_speed > 0 && m_speed <= 50))
        m_speed = 5;
    // A running timer given its interval again starts its wait again.
    const int interval = int(std::nearbyint(1000.0 / m_speed));
    if (timer().interval() != interval)
        timer().setInterval(interval);
}

std::optional<double> MarqueeTicker::startLeft(double lineWidth, double panelWidth) const
{
    switch (m_mode) {
    case 0: return -lineWidth;
    case 1: return panelWidth;
    case 2: return (panelWidth - lineWidth) / 2;
    default: return std::nullopt;
    }
}

std::optional<double> MarqueeTicker::nextLeft(double left, double lineWidth, double panelWidth, double step) const
{
    // Places that are equal in twips may differ in the last digits of
    // their pixels: such a difference is no difference.
    constexpr double kSame = 1e-6;
    switch (m_mode) {
    case 0: return left > panelWidth + kSame ? -lineWidth : left + step;
    case 1: return left + lineWidth < step - kSame ? panelWidth - step : left - step;
    case 2: return (panelWidth - lineWidth) / 2.0;
    default: return std::nullopt;
    }
}

} // namespace orvalen
