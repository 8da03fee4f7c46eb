#pragma once

#include <string>

// Where the product goes and what the installer leaves behind to find it
// again: the default folder, the rule for a folder the user picked, the
// registry record and "set.ini". The state is the installer window's (or the
// silent run's); the operations work on it.
class InstallLocation {
public:
    // The folder of a new install: the recorded one when that copy's
    // uninstaller still exists, else below the application data folder for an
    // administrator at the console in an elevated process, else below the
    // program files folder. Also learns the two administrator flags.
    std::wstring GetDefaultInstallDir();

    bool IsDefaultInstallDir(const std::wstring& dir);

    // The folder to install into for what the folder field shows: the default
    // itself, or the typed folder (separators normalised) + "Brushwell".
    std::wstring CustomInstallDir(const std::wstring& folderText);

    // Installing again into the recorded folder whose "set.ini" says
    // [Uninstall] IsOverride=false (exactly) overwrites the old copy in place.
    bool IsOverrideDisabled(const std::wstring& dir) const;

    // Fills recordedInstallPath and recordedUninstEp from the registry.
    void ReadInstallRecord();
    // InstallPath from installDir; UnInstallEp when the uninstaller exists.
    void WriteInstallRecord() const;
    // "set.ini" in installDir and the analytics marker file.
    void WriteInstallIni() const;

    std::wstring recordedInstallPath;
    std::wstring recordedUninstEp;
    std::wstring installDir;
    std::wstring uninstEp;
    bool consoleUserIsAdmin = false;
    bool processIsAdmin = false;
};
