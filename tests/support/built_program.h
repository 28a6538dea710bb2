#pragma once
#include <QFileInfo>
#include <QProcess>
#include <QString>

namespace orvalen::test {

// The program the build put into the program folder template, or an empty
// path when it is not there (the test then skips).
inline QString builtProgram()
{
    const QString dir = qEnvironmentVariable("ORVALEN_PROGRAM_TEMPLATE");
    const QString exe = dir + QStringLiteral("/orvalen");
    return !dir.isEmpty() && QFileInfo(exe).isExecutable() ? exe : QString();
}

// Starts the built program on `folder`, off screen.
inline void startOnFolder(QProcess& process, const QString& exe, const QString& folder)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    process.setProcessEnvironment(env);
    process.start(exe, {QStringLiteral("--program-folder"), folder});
}

} // namespace orvalen::test
