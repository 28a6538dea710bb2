#pragma once
#include "platform/registry_store.h"
#include "services/app_context.h"
#include "stores/ini_store.h"
#include "support/fake_time.h"
#include "support/recording_notifier.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace orvalen::test {

// A temporary program folder and registry file for one test, with an
// AppContext filled with them and with fakes.
//
// The folder is a copy of the built program folder named by
// ORVALEN_PROGRAM_TEMPLATE (TimeData.db, DeskData.db, help.chm, sounds/,
// picture/ ...) when that is set, else an empty TimeData.db with empty
// sounds/ and picture/ folders. While the object lives, ORVALEN_REGISTRY
// names its registry file and ORVALEN_HOME its folder; both are put back
// afterwards. Everything is removed at the end.
class TempProgram {
public:
    TempProgram();
    ~TempProgram();
    TempProgram(const TempProgram&) = delete;
    TempProgram& operator=(const TempProgram&) = delete;

    // The program folder, with one trailing "/".
    QString path() const { return context.folder.path(); }
    QString file(const QString& name) const { return context.folder.file(name); }
    QString registryPath() const { return registry.filePath(); }
    // Writes a file inside the program folder (folders are made as needed).
    bool writeFile(const QString& relativeName, const QByteArray& content) const;
    QByteArray readFile(const QString& relativeName) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldRegistryEnv;
    QByteArray m_oldHomeEnv;
    bool m_hadRegistryEnv;
    bool m_hadHomeEnv;

public:
    FakeClock clock;
    FakeTimers timers{clock};
    RecordingNotifier notifier;
    IniStore ini;
    RegistryStore registry;
    AppContext context;
};

} // namespace orvalen::test
