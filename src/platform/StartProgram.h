#pragma once
// Starting another program and leaving it to itself: the setup program of a
// new version, which replaces this one after the viewer has ended.
#include <string>

namespace qv {

// Starts File with Parameters as its one argument (none when Parameters is
// empty), in a session of its own, so it outlives this program and never
// waits on it. A file its owner may not execute (a download never is) is
// made executable for the owner first. Returns false, starting nothing,
// when the file is missing, cannot be made executable or cannot be run
// (no program or script the system knows how to start).
bool StartProgram(const std::string& File, const std::string& Parameters);

} // namespace qv
