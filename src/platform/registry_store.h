#pragma once
#include "platform/save_file.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace orvalen {

// The per-user store that stands in for the values under
// HKEY_CURRENT_USER\Vantoria: a REGEDIT4-style UTF-8 text file
//   [HKEY_CURRENT_USER\Vantoria]
//   "name"="text"
//   "name"=dword:0000000a
// at $XDG_CONFIG_HOME/Vantoria/registry.reg (default ~/.config), or the file
// ORVALEN_REGISTRY names. Names match without regard to case; absent is not
// the same as empty; texts come back whole (quotes, backslashes, line breaks
// and other control characters are escaped in the file). Writes are atomic.
// A line that cannot be read is skipped (and logged); every other value is
// kept. The first write after such a line copies the file as it was aside
// as registry.reg.bad, so nothing is silently lost. The file is read once and
// read again only when it changed on disk, so two stores on one file agree;
// names are looked up through a hash.
class RegistryStore {
public:
    enum class Type { String = 1, Dword = 4, Other = -1 };
    struct Value {
        Type type = Type::String;
        QString text;     // Type::String
        qint32 dword = 0; // Type::Dword

        static Value ofText(QString t) { return Value{Type::String, std::move(t), 0}; }
        static Value ofDword(qint32 v) { return Value{Type::Dword, QString(), v}; }
        bool operator==(const Value&) const = default;
    };

    explicit RegistryStore(QString filePath);
    ~RegistryStore();
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // ORVALEN_REGISTRY when set, else $XDG_CONFIG_HOME/Vantoria/registry.reg.
    static QString defaultPath();

    QString filePath() const { return m_path; }

    // The value, or nullopt when absent. A value of another type (hex:...)
    // reads as Type::Other.
    std::optional<Value> read(const QString& name) const;
    // Text of a String value; nullopt when absent or of another type.
    std::optional<QString> readText(const QString& name) const;
    // A Dword value; nullopt when absent or of another type.
    std::optional<qint32> readDword(const QString& name) const;
    // The names of all values, in the order of the file.
    QStringList names() const;

    // Return true on success (the file was written).
    bool writeText(const QString& name, const QString& text);
    bool writeDword(const QString& name, qint32 value);
    // type 1 = text, 4 = 32-bit (the text is read as a decimal number); any
    // other type, or a 32-bit text that is not a number, writes nothing and
    // fails.
    bool write(const QString& name, int type, const QString& text);
    // Several values in one atomic write: all of them or none. On a failure
    // `error` (optional) says why; `report` says who tells the operator.
    bool writeValues(const std::vector<std::pair<QString, Value>>& values, QString* error = nullptr,
                     SaveReport report = SaveReport::Once);
    // Removing an absent value succeeds and leaves the file as it is.
    bool remove(const QString& name);
    bool removeValues(const QStringList& names);

    // Where the file with unreadable lines was copied to, if it was.
    QString setAsideFile() const;

private:
    struct State;
    const State& current() const;
    bool commit(State next, QString* error = nullptr, SaveReport report = SaveReport::Once);

    QString m_path;
    std::unique_ptr<State> m_state;
};

} // namespace orvalen
