#pragma once
// The desktop's file associations: which program opens a kind of file, as
// the desktop's own file manager would choose it (shared-mime-info for the
// file type, the default application of that type from mimeapps.list and
// the .desktop files, through GIO).
#include <string>

namespace qv {

// The command line of the default application for files named like
// "x" + extension (".mnf"), as its desktop entry writes it (the Exec line,
// field codes such as %f included); empty when the desktop knows no file
// type for the extension, no application for the type, or no command line.
std::string RegisteredOpenCommand(const std::string& extension);
// The same for the design program's manifold files.
std::string RegisteredOpenCommandForMnf();

// The full path of a program name as the shell finds it through PATH
// (a name with a "/" is returned as it is); empty when none is found.
std::string FindProgramInPath(const std::string& name);

} // namespace qv
