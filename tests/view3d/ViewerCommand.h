#pragma once
// QuorvaneViewer run as a program by the tests of its headless commands
// (QUORVANE_VIEWER is the program's path, set by the build).
#include "testkit/SampleDesigns.h"
#include "testkit/TestFiles.h"

#include <string>

namespace qv::test3d {

// Runs the program with no display and no Qt platform chosen: its headless
// commands must need neither. vars: more NAME=VALUE settings for it.
inline test::TRunResult Viewer(const std::string& args, const std::string& vars = "")
{
    return test::RunCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + vars + " '" QUORVANE_VIEWER
                            "' " + args);
}

// A path quoted for the shell.
inline std::string Q(const std::string& s) { return "'" + s + "'"; }

// The demo design, written once per test program.
inline const std::string& DemoFile()
{
    static const std::string path = [] {
        const std::string p = test::TempPath("demo.mnf");
        samples::WriteDemoDesign(p, false);
        return p;
    }();
    return path;
}

} // namespace qv::test3d
