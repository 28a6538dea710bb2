#include "startup/display_check.h"

#include <QByteArray>
#include <gtest/gtest.h>

using namespace orvalen;

namespace {

// Sets environment variables for one test and puts them back afterwards.
class ScopedEnv {
public:
    void set(const char* name, const QByteArray& value)
    {
        m_saved.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnv()
    {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
            if (it->wasSet)
                qputenv(it->name, it->value);
            else
                qunsetenv(it->name);
        }
    }

private:
    struct Saved {
        const char* name;
        QByteArray value;
        bool wasSet;
    };
    std::vector<Saved> m_saved;
};

} // namespace

TEST(DisplayCheck, noDisplayForTheX11Platform_givesOneLine)
{
    ScopedEnv env;
    env.set("QT_QPA_PLATFORM", QByteArray());
    env.set("DISPLAY", QByteArray());
    env.set("WAYLAND_DISPLAY", QByteArray());
    char name[] = "orvalen";
    char* argv[] = {name, nullptr};
    const QString problem = displayProblem(1, argv);
    EXPECT_TRUE(problem.contains(QStringLiteral("DISPLAY"))) << problem.toStdString();
    EXPECT_FALSE(problem.contains(QLatin1Char('\n')));

    env.set("DISPLAY", QByteArray(":12345")); // nothing listens there
    EXPECT_FALSE(displayProblem(1, argv).isEmpty());
}

TEST(DisplayCheck, platformsWithoutADisplayServer_needNone)
{
    ScopedEnv env;
    env.set("DISPLAY", QByteArray());
    env.set("WAYLAND_DISPLAY", QByteArray());
    env.set("QT_QPA_PLATFORM", QByteArray("offscreen"));
    char name[] = "orvalen";
    char* argv[] = {name, nullptr};
    EXPECT_TRUE(displayProblem(1, argv).isEmpty());

    env.set("QT_QPA_PLATFORM", QByteArray());
    char opt[] = "-platform";
    char minimal[] = "minimal";
    char* withPlatform[] = {name, opt, minimal, nullptr};
    EXPECT_TRUE(displayProblem(3, withPlatform).isEmpty());
}

TEST(DisplayCheck, waylandNamedButNotThere_givesOneLineInsteadOfAnAbort)
{
    ScopedEnv env;
    env.set("QT_QPA_PLATFORM", QByteArray());
    env.set("DISPLAY", QByteArray());
    env.set("WAYLAND_DISPLAY", QByteArray("wayland-orvalen-none"));
    char name[] = "orvalen";
    char* argv[] = {name, nullptr};
    const QString problem = displayProblem(1, argv);
    EXPECT_TRUE(problem.contains(QStringLiteral("wayland-orvalen-none"))) << problem.toStdString();
    EXPECT_FALSE(problem.contains(QLatin1Char('\n')));

    env.set("QT_QPA_PLATFORM", QByteArray("wayland"));
    EXPECT_FALSE(displayProblem(1, argv).isEmpty());
}
