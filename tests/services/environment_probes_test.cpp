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
    EXPECT_FALSE(wps_installed(system));
    system.programs.insert(QStringLiteral("et"), QStringLiteral("/usr/bin/et"));
    EXPECT_TRUE(wps_installed(system));
}

TEST(EnvironmentProbes, excelSheetKey_isAnsweredByTheXlsxDefaultApplication)
{
    FakeSystem system;
    system.answer = QStringLiteral("libreoffice-calc.desktop\n");
    EXPECT_TRUE(reg_value_exists(system, QStringLiteral("Excel.Sheet\\CurVer"), QString()));
    ASSERT_EQ(system.calls.size(), 1u);
    EXPECT_EQ(system.calls[0],
              (QStringList{"xdg-mime", "query", "default",
                           "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"}));

    system.answer = QStringLiteral("  \n");
    EXPECT_FALSE(reg_value_exists(system, QStringLiteral("Excel.Sheet\\CurVer"), QString()));
    system.answer.reset(); // xdg-mime failed
    EXPECT_FALSE(spreadsheet_app_registered(system));
    system.programs.clear(); // no xdg-mime at all
    system.answer = QStringLiteral("x.desktop");
    EXPECT_FALSE(spreadsheet_app_registered(system));
}

TEST(EnvironmentProbes, otherRegistryKeys_doNotExistAndAskNothing)
{
    FakeSystem system;
    system.answer = QStringLiteral("x.desktop");
    EXPECT_FALSE(reg_value_exists(system, QStringLiteral("Word.Document\\CurVer"), QString()));
    EXPECT_FALSE(reg_value_exists(system, QStringLiteral("Excel.Sheet\\CurVer"), QStringLiteral("Other")));
    EXPECT_TRUE(system.calls.empty());
}
