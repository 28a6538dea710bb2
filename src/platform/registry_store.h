#pragma once
#include <QString>
#include <optional>

namespace orvalen {

// The per-user store that stands in for the values under
// HKEY_CURRENT_USER\Vantoria: a REGEDIT4-style UTF-8 text file
//   [HKEY_CURRENT_USER\Vantoria]
//   "name"="text"
//   "name"=dword:0000000a
// at $XDG_CONFIG_HOME/Vantoria/registry.reg (default ~/.config), or the file
// ORVALEN_REGISTRY names. Names match without regard to case; absent is not
// the same as empty; texts come back whole. Writes are atomic. A file that
// cannot be parsed is moved aside as registry.reg.bad and the store starts
// empty; it is never silently overwritten.
class RegistryStore {
public:
    enum class Type { String = 1, Dword = 4, Other = -1 };
    struct Value {
        Type type = Type::String;
        QString text;     // Type::String
        qint32 dword = 0; // Type::Dword
    };

    explicit RegistryStore(QString filePath);
    static QString defaultPath();

    QString filePath() const { return m_path; }

    // The value, or nullopt when absent. A value of another type reads as
    // Type::Other.
    std::optional<Value> read(const QString& name) const;
    // Text of a String value; nullopt when absent or of another type.
    std::optional<QString> readText(const QString& name) const;
    // A Dword value; nullopt when absent or of another type.
    std::optional<qint32> readDword(const QString& name) const;

    // Return true on success (the file was written).
    bool writeText(const QString& name, const QString& text);
    bool writeDword(const QString& name, qint32 value);
    // type 1 = text, 4 = 32-bit; any other type writes nothing and fails.
    bool write(const QString& name, int type, const QString& text);
    bool remove(const QString& name);

private:
    QString m_path;
};

} // namespace orvalen
