#pragma once
// The main settings file (<program>.ini in the Ini folder): where the design
// program is installed and the folder the open and save dialogs start in.
#include <string>

namespace qv {

struct TMainSettings {
    std::string PathToMain; // [Tools] PathToMain: the design program
    std::string InitialDir; // [OpenDialog] InitialDir: folder of the open and save dialogs
};

// Reads the file when it exists; a missing key keeps the value Settings has.
// Returns whether the file exists.
bool LoadMainSettings(const std::string& fileName, TMainSettings& settings);
// Writes both keys (the file's other keys stay). Throws EIniFileError when
// the file cannot be written; the old file is then unchanged.
void SaveMainSettings(const std::string& fileName, const TMainSettings& settings);

} // namespace qv
