#pragma once
#include <QDebug>
#include <QString>
#include <optional>

namespace orvalen {

// A shared library opened while the program runs rather than by the dynamic
// linker at start, for libraries the first frame does not need. Closed when
// the object goes, unless kept.
class RuntimeLibrary {
public:
    // Opens the file (a soname, looked up the way the dynamic linker looks
    // it up) with every symbol bound at once and none made global.
    explicit RuntimeLibrary(const QString& file);
    ~RuntimeLibrary();
    RuntimeLibrary(const RuntimeLibrary&) = delete;
    RuntimeLibrary& operator=(const RuntimeLibrary&) = delete;

    bool isOpen() const { return m_handle != nullptr; }
    // Why opening or the last resolve() failed; names the file or symbol.
    QString error() const { return m_error; }

    // Sets `function` to the library's symbol `name`; false (error() says
    // which) when the library is not open or lacks the symbol.
    template <typename Function>
    bool resolve(const char* name, Function& function)
    {
        function = reinterpret_cast<Function>(symbol(name));
        return function != nullptr;
    }

    // Keeps the library loaded for the rest of the process: pointers
    // resolved from it stay valid after this object goes.
    void keep() { m_kept = true; }

private:
    void* symbol(const char* name);

    void* m_handle = nullptr;
    QString m_file;
    QString m_error;
    bool m_kept = false;
};

// What the operator is told of a library that could not be loaded, after the
// reason `why` (which names the file or the function that is missing).
QString missingLibraryText(const QString& why);

// The functions `load` gives (an empty result with the reason in its
// argument), loaded at the first call of each caller and kept for the
// process (the first call may come from any thread). Null when they could not
// be loaded: the reason is logged once, after `what`, and given in *error at
// every call.
template <typename Functions, typename Load>
const Functions* loadedOnce(const char* what, Load load, QString* error)
{
    struct Loaded {
        std::optional<Functions> functions;
        QString error;
    };
    static const Loaded loaded = [&] {
        Loaded result;
        result.functions = load(&result.error);
        if (!result.functions)
            qWarning().noquote() << what << result.error;
        return result;
    }();
    if (!loaded.functions && error)
        *error = loaded.error;
    return loaded.functions ? &*loaded.functions : nullptr;
}

} // namespace orvalen
