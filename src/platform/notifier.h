#pragma once
#include <QString>

class QWidget;

namespace orvalen {

// Every message box of the program goes through this, titled "Orvalen" unless
// a title is given, so tests read the exact texts and answer the questions.
// Texts are shown as plain text: a value in them is never read as markup.
class Notifier {
public:
    enum class Icon { None, Information, Question, Warning, Critical };
    virtual ~Notifier() = default;
    // A notice with an OK button. timeoutMs > 0 closes it by itself.
    virtual void notice(const QString& text, Icon icon = Icon::None, int timeoutMs = 0,
                        const QString& title = QString()) = 0;
    // A Yes/No question; true for Yes.
    virtual bool ask(const QString& text, const QString& title = QString()) = 0;
};

// The real message boxes (QMessageBox); timed notices close themselves.
class MessageBoxNotifier final : public Notifier {
public:
    explicit MessageBoxNotifier(QWidget* parent = nullptr) : m_parent(parent) {}
    void notice(const QString& text, Icon icon = Icon::None, int timeoutMs = 0,
                const QString& title = QString()) override;
    bool ask(const QString& text, const QString& title = QString()) override;

private:
    QWidget* m_parent;
};

inline const QString kAppTitle = QStringLiteral("Orvalen");

} // namespace orvalen
