#include "services/environment_probes.h"

#include <QMap>
#include <gtest/gtest.h>

using namespace orvalen;

namespace {

class FakeSystem final : public SystemQuery {
public:
    QString findExecutable(const QString& name) override { return programs.value(name); }
    std::optional<QString> output(const QString& program, const QStringList& arguments) override
    {
        calls.push_back(QStringList{program} + arguments);
        return answer;
    }
    QMap<QString, QString> programs{{QStringLiteral("xdg-mime"), QStringLiteral("/usr/bin/xdg-mime")}};
    std::optional<QString> answer;
    std::vector<QStringList> calls;
};

} // namespace

TEST(EnvironmentProbes, wps_isInstalledOnlyWhenItsSpreadsheetProgramIsOnPath)
{
    FakeSystem system;
    EXPECT_FALSE(wpsInstalled(system));
    system.programs.insert(QStringLiteral("et"), QStringLiteral("/usr/bin/et"));
    EXPECT_TRUE(wpsInstalled(system));
}

TEST(EnvironmentProbes, excelSheetKey_isAnsweredByTheXlsxDefaultApplication)
{
    FakeSystem system;
    system.answer = QStringLiteral("libreoffice-calc.desktop\n");
    EXPECT_TRUE(regValueExists(system, QStringLiteral("Excel.Sheet\\CurVer"), QString()));
    ASSERT_EQ(system.calls.size(), 1u);
    EXPECT_EQ(system.calls[0],
              (QStringList{"xdg-mime", "query", "default",
                           "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"}));

    system.answer = QStringLiteral("  \n");
    EXPECT_FALSE(regValueExists(system, QStringLiteral("Excel.Sheet\\CurVer"), QString()));
    system.answer.reset(); // xdg-mime failed
    EXPECT_FALSE(spreadsheetAppRegistered(system));
    system.programs.clear(); // no xdg-mime at all
    system.answer = QStringLiteral("x.desktop");
    EXPECT_FALSE(spreadsheetAppRegistered(system));
}

TEST(EnvironmentProbes, otherRegistryKeys_doNotExistAndAskNothing)
{
    FakeSystem system;
    system.answer = QStringLiteral("x.desktop");
    EXPECT_FALSE(regValueExists(system, QStringLiteral("Word.Document\\CurVer"), QString()));
    EXPECT_FALSE(regValueExists(system, QStringLiteral("Excel.Sheet\\CurVer"), QStringLiteral("Other")));
    EXPECT_TRUE(system.calls.empty());
}
