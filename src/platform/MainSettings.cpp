#include "platform/MainSettings.h"

#include "platform/IniFiles.h"

namespace qv {

bool LoadMainSettings(const std::string& fileName, TMainSettings& settings)
{
    const TIniFile ini(fileName);
    if (!ini.FileExisted()) return false;
    settings.PathToMain = ini.ReadString("Tools", "PathToMain", settings.PathToMain);
    settings.InitialDir = ini.ReadString("OpenDialog", "InitialDir", settings.InitialDir);
    return true;
}

void SaveMainSettings(const std::string& fileName, const TMainSettings& settings)
{
    TIniFile ini(fileName);
    ini.WriteString("Tools", "PathToMain", settings.PathToMain);
    ini.WriteString("OpenDialog", "InitialDir", settings.InitialDir);
    ini.UpdateFile();
}

} // namespace qv
