#pragma once
#include "platform/notifier.h"

#include <QStringList>

namespace orvalen::test {

// Keeps every message the program shows; answers questions with `answer`.
class RecordingNotifier final : public Notifier {
public:
    struct Shown {
        QString text;
        Icon icon;
        int timeoutMs;
        QString title;
    };
    void notice(const QString& text, Icon icon = Icon::None, int timeoutMs = 0,
                const QString& title = QString()) override
    {
        shown.push_back({text, icon, timeoutMs, title.isEmpty() ? kAppTitle : title});
    }
    bool ask(const QString& text, const QString& title = QString()) override
    {
        questions.push_back(text);
        return answer;
    }
    QStringList texts() const
    {
        QStringList out;
        for (const auto& s : shown)
            out << s.text;
        return out;
    }
    std::vector<Shown> shown;
    QStringList questions;
    bool answer = true;
};

} // namespace orvalen::test
