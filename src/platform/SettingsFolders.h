#pragma once
// Where the program keeps its settings, and the other folders of the user it
// needs. Every folder ends with a path separator. A system folder that cannot
// be determined is empty, so the folders built on it lose their first part.
//
// On this platform the per-user application data folder is the XDG config
// home ($XDG_CONFIG_HOME, else ~/.config), the all-users one the first entry
// of $XDG_CONFIG_DIRS (else /etc/xdg); the desktop and documents folders are
// the XDG user directories (user-dirs.dirs in the config home).
#include <stdexcept>
#include <string>
#include <string_view>

namespace qv {

class EFolderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// user data folder / CompanyShortName / ProgramName /
std::string UserFolder();
// all-users data folder / CompanyShortName / ProgramName /
std::string SharedFolder();
std::string IniFolder();       // UserFolder() + "Ini/"
std::string BinFolder();       // SharedFolder() + "Bin/"
std::string DownloadsFolder(); // UserFolder() + "Downloads/"
std::string DesktopFolder();
// Throws EFolderError "Could not find MyDocuments folder location." when the
// documents folder cannot be determined.
std::string DocumentsFolder();
// $TMPDIR or /tmp, as an absolute path with symbolic links resolved.
std::string TempFolder();

// Replaces the extension of the file name (from its last "." after the last
// separator) by Ext, or appends Ext when there is none.
std::string ChangeExt(std::string_view fileName, std::string_view ext);
// The file name of the running program, without folder.
std::string ExecutableBaseName();

// Settings files, named after the program file:
std::string MainSettingsFile();      // <program>.ini
std::string WindowPosFile();         // <program>_WindowPos.ini
std::string NamedSettingsFile(std::string_view name); // <program>_<name>.ini
std::string ProxySettingsFile();     // BinFolder() + "ProxyServer.ini"

} // namespace qv
