#pragma once
#include <QProcess>
#include <QStringList>

namespace orvalen::test {

// Sends key presses to the X server the tests run on, as a person would.
inline bool xdotool(const QStringList& arguments)
{
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}

} // namespace orvalen::test
