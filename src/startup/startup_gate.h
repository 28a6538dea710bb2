#pragma once

namespace orvalen {

class Notifier;
class ProgramFolder;
class RegistryStore;

// The program's own version, major and minor (4 and 0 give 4.0).
struct ProgramVersion {
    int major = ORVALEN_VERSION_MAJOR;
    int minor = ORVALEN_VERSION_MINOR;
};

// The settings-version check against the registry value "vision": a newer
// stored version refuses with "请使用最新版本"; an older or missing one (or
// one that is not a number) deletes the stored current plan and stores this
// version; the same version passes. Versions compare as whole tenths, never
// through locale-dependent text.
bool checkProgramVersion(RegistryStore& registry, Notifier& notifier,
                           ProgramVersion version = ProgramVersion());

// DeskData.db, help.CHM and TimeData.db must all be files in the program
// folder (letter case ignored); otherwise one message
// "保持程序完整，请重新安装" naming the missing files and the folder, and false.
bool checkProgramFiles(const ProgramFolder& folder, Notifier& notifier);

// The version check, then (only when it passes) the file check.
bool startupCheck(RegistryStore& registry, const ProgramFolder& folder, Notifier& notifier,
                   ProgramVersion version = ProgramVersion());

} // namespace orvalen
