#pragma once
#include <QString>
#include <QStringList>
#include <optional>

namespace orvalen {

// What the probes ask of the system, so tests can answer instead.
class SystemQuery {
public:
    virtual ~SystemQuery() = default;
    // The full path of a program on PATH, or an empty text.
    virtual QString findExecutable(const QString& name) = 0;
    // Runs a program and returns what it printed on standard output, or
    // nullopt when it could not start, did not finish or failed.
    virtual std::optional<QString> output(const QString& program, const QStringList& arguments) = 0;
};

// QStandardPaths and QProcess (an argument list, a few seconds at most).
class RealSystemQuery final : public SystemQuery {
public:
    QString findExecutable(const QString& name) override;
    std::optional<QString> output(const QString& program, const QStringList& arguments) override;
};

// Whether a WPS spreadsheet program is on PATH. Errors count as "no".
bool wpsInstalled(SystemQuery& system);

// Whether a default application exists for the xlsx type (asked through
// xdg-mime). This is what a spreadsheet program being registered means here.
bool spreadsheetAppRegistered(SystemQuery& system);

// The one registry class key the program asks about, "Excel.Sheet\CurVer"
// with its default value, is answered by spreadsheetAppRegistered; any
// other key does not exist on this system.
bool regValueExists(SystemQuery& system, const QString& subkey, const QString& valueName);

} // namespace orvalen
