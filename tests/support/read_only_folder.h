#pragma once
#include <QString>

namespace orvalen::test {

// Makes a folder read-only for as long as the object lives: no file can be
// created, renamed or removed in it. Under root, where permissions do not
// stop writes, the folder is marked immutable instead. active() is false when
// neither worked (the test should then skip).
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(QString folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    bool active() const { return m_active; }

private:
    QString m_folder;
    bool m_active = false;
    bool m_immutable = false;
};

} // namespace orvalen::test
