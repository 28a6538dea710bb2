#pragma once
#include "services/help_links.h"

#include <QHash>
#include <QStringList>
#include <utility>
#include <vector>

namespace orvalen::test {

// Records what the program opens instead of starting anything.
class FakeLauncher final : public Launcher {
public:
    bool openWithDesktop(const QString& target) override
    {
        desktop << target;
        return desktopWorks;
    }
    bool startDetached(const QString& program, const QStringList& arguments) override
    {
        started.push_back({program, arguments});
        return startWorks;
    }
    QString defaultApplication(const QString& mimeType) override { return handlers.value(mimeType); }

    QStringList desktop;
    std::vector<std::pair<QString, QStringList>> started;
    bool desktopWorks = true;
    bool startWorks = true;
    QHash<QString, QString> handlers; // MIME type -> desktop file
};

} // namespace orvalen::test
