#include "platform/SettingsFolders.h"

#include "platform/ProgramIdentity.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <pwd.h>
#include <unistd.h>

namespace qv {

namespace fs = std::filesystem;

namespace {

std::string Env(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string WithSeparator(std::string folder)
{
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

// Folder below a base folder; an empty base stays empty, so the result is
// the relative rest alone.
std::string Below(const std::string& base, const std::string& rest) { return WithSeparator(base) + rest; }

std::string HomeFolder()
{
    std::string home = Env("HOME");
    if (!home.empty()) return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir && *pw->pw_dir) return pw->pw_dir;
    return {};
}

// The XDG base folders accept absolute paths only; anything else counts as
// not set.
bool IsAbsolute(const std::string& p) { return !p.empty() && p.front() == '/'; }

std::string ConfigHome()
{
    std::string v = Env("XDG_CONFIG_HOME");
    if (IsAbsolute(v)) return v;
    const std::string home = HomeFolder();
    return home.empty() ? std::string() : Below(home, ".config");
}

std::string ConfigDirsFirst()
{
    const std::string dirs = Env("XDG_CONFIG_DIRS");
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        std::string entry = dirs.substr(start, end - start);
        if (IsAbsolute(entry)) return entry;
        start = end + 1;
    }
    return "/etc/xdg";
}

// Looks up XDG_<NAME>_DIR in user-dirs.dirs: lines of the form
// XDG_DOCUMENTS_DIR="$HOME/Documents" or with an absolute path. Empty when
// the file or the entry is missing.
std::string UserDir(const std::string& name)
{
    const std::string config = ConfigHome();
    if (config.empty()) return {};
    std::ifstream in(Below(config, "user-dirs.dirs"));
    const std::string key = "XDG_" + name + "_DIR";
    std::string line, found;
    while (std::getline(in, line)) {
        size_t i = line.find_first_not_of(" \t");
        if (i == std::string::npos || line[i] == '#') continue;
        if (line.compare(i, key.size(), key) != 0) continue;
        i += key.size();
        i = line.find_first_not_of(" \t", i);
        if (i == std::string::npos || line[i] != '=') continue;
        i = line.find_first_not_of(" \t", i + 1);
        if (i == std::string::npos || line[i] != '"') continue;
        std::string value;
        bool closed = false;
        for (++i; i < line.size(); ++i) {
            if (line[i] == '\\' && i + 1 < line.size()) value += line[++i];
            else if (line[i] == '"') { closed = true; break; }
            else value += line[i];
        }
        if (!closed) continue;
        if (value.rfind("$HOME", 0) == 0 && (value.size() == 5 || value[5] == '/')) {
            const std::string home = HomeFolder();
            if (home.empty()) continue;
            found = home + value.substr(5);
        } else if (IsAbsolute(value)) {
            found = value;
        }
        // a later line for the same key wins, as for the shell
    }
    return found;
}

std::string ProgramFolders() { return CompanyShortName + "/" + ProgramName + "/"; }

} // namespace

std::string UserFolder() { return Below(ConfigHome(), ProgramFolders()); }

std::string SharedFolder() { return Below(ConfigDirsFirst(), ProgramFolders()); }

std::string IniFolder() { return UserFolder() + "Ini/"; }

std::string BinFolder() { return SharedFolder() + "Bin/"; }

std::string DownloadsFolder() { return UserFolder() + "Downloads/"; }

std::string DesktopFolder()
{
    std::string dir = UserDir("DESKTOP");
    if (dir.empty()) {
        const std::string home = HomeFolder();
        if (!home.empty()) dir = Below(home, "Desktop");
    }
    return WithSeparator(dir);
}

std::string DocumentsFolder()
{
    std::string dir = UserDir("DOCUMENTS");
    if (dir.empty()) {
        const std::string home = HomeFolder();
        if (!home.empty()) dir = Below(home, "Documents");
    }
    if (dir.empty()) throw EFolderError("Could not find MyDocuments folder location.");
    return WithSeparator(dir);
}

std::string TempFolder()
{
    std::string dir = Env("TMPDIR");
    if (dir.empty()) dir = "/tmp";
    std::error_code ec;
    fs::path full = fs::weakly_canonical(fs::absolute(dir, ec), ec);
    return WithSeparator(ec ? dir : full.string());
}

std::string ChangeExt(std::string_view fileName, std::string_view ext)
{
    const size_t slash = fileName.find_last_of('/');
    const size_t dot = fileName.find_last_of('.');
    std::string_view stem = fileName;
    if (dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash)) stem = fileName.substr(0, dot);
    return std::string(stem) + std::string(ext);
}

std::string ExecutableBaseName()
{
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.filename().empty()) return ProgramName;
    return exe.filename().string();
}

std::string MainSettingsFile() { return IniFolder() + ChangeExt(ExecutableBaseName(), ".ini"); }

std::string WindowPosFile() { return IniFolder() + ChangeExt(ExecutableBaseName(), "_WindowPos.ini"); }

std::string NamedSettingsFile(std::string_view name)
{
    return IniFolder() + ChangeExt(ExecutableBaseName(), "_" + std::string(name) + ".ini");
}

std::string ProxySettingsFile() { return BinFolder() + "ProxyServer.ini"; }

} // namespace qv
