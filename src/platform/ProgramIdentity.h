#pragma once
// The program's identity: assigned once at program start, before any window
// exists, and only read afterwards. They name the settings folders and files,
// the captions and the update protocol.
#include <string>

namespace qv {

inline std::string ProgramName = "QuorvaneViewer";
inline std::string ProgramYear = "2022"; // also the major version number
inline std::string ProgramBuild = "45";
inline std::string CompanyShortName = "VELK"; // one folder level of the settings folders
inline std::string SupportAddress = "support@quorvane.example"; // where upgrade requests are mailed
inline std::string WhatsNewUrl;               // empty: no "What is new..." button
inline bool IsViewer = true;

} // namespace qv
