// QuorvaneViewer: the program's start. For now it offers the headless
// commands only; the main window follows.
//
//   QuorvaneViewer --dump-scene FILE [--settings INI] [--groups CODE,CODE...
//                  [--show-not-selected]]
//
// builds the 3D scene of FILE exactly as opening it does (camera reset,
// scene rebuilt, group filter applied) without a window and prints it as
// JSON. The view settings are the defaults, or those of INI (laid out like
// the "IsoView" settings file); the user's own settings are never read.
#include "core/Messages.h"
#include "core/Text.h"
#include "document/Manifolds.h"
#include "view3d/IsometricDrawingSettings.h"
#include "view3d/ManifoldView.h"
#include "view3d/SceneJson.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

const char* const kUsage =
    "usage: QuorvaneViewer --dump-scene FILE [--settings INI] [--groups CODE,CODE... [--show-not-selected]]\n";

int Usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

bool Readable(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && std::ifstream(path, std::ios::binary).good();
}

bool EndsWithNoCase(const std::string& s, const std::string& suffix)
{
    return s.size() >= suffix.size() && qv::AsciiSameText(s.substr(s.size() - suffix.size()), suffix);
}

std::vector<std::string> SplitCodes(const std::string& list)
{
    std::vector<std::string> out;
    size_t p = 0;
    for (;;) {
        const size_t q = list.find(',', p);
        const std::string code = list.substr(p, q == std::string::npos ? std::string::npos : q - p);
        if (!code.empty()) out.push_back(code);
        if (q == std::string::npos) break;
        p = q + 1;
    }
    return out;
}

struct TDumpArgs {
    std::string File, Settings;
    bool HasGroups = false, ShowNotSelected = false;
    std::vector<std::string> Groups;
};

int DumpScene(const TDumpArgs& a)
{
    if (!Readable(a.File)) {
        std::fprintf(stderr, "QuorvaneViewer: cannot read \"%s\"\n", a.File.c_str());
        return 1;
    }
    qv::TIsometricDrawingSettings settings;
    if (!a.Settings.empty()) {
        if (!Readable(a.Settings)) {
            std::fprintf(stderr, "QuorvaneViewer: cannot read the settings file \"%s\"\n", a.Settings.c_str());
            return 1;
        }
        settings.LoadFromIni(a.Settings);
    }
    qv::TManifold manifold;
    bool ok = false;
    std::vector<std::string> messages;
    {
        qv::TMessageCollector collector;
        ok = EndsWithNoCase(a.File, ".MVF") ? manifold.LoadFromViewerFile(a.File) : manifold.LoadFromFile(a.File);
        messages = collector.Texts();
    }
    for (const auto& m : messages) std::fprintf(stderr, "QuorvaneViewer: %s\n", m.c_str());
    if (!ok) {
        std::fprintf(stderr, "QuorvaneViewer: \"%s\" could not be loaded\n", a.File.c_str());
        return 1;
    }

    qv::TManifoldView view(settings);
    view.DocumentLoaded(manifold);
    view.fVisibleGroupNames = a.Groups;
    view.HideNotSelected = !a.ShowNotSelected;
    view.ApplyGroupFilter(true);
    const std::string json = qv::SceneToJson(*view.GLDummyCube1(), view.SC(), view.LabelTextHeight());
    std::fwrite(json.data(), 1, json.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] != "--dump-scene") return Usage();
    TDumpArgs a;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& s = args[i];
        if (s == "--settings" && i + 1 < args.size()) a.Settings = args[++i];
        else if (s == "--groups" && i + 1 < args.size()) { a.HasGroups = true; a.Groups = SplitCodes(args[++i]); }
        else if (s == "--show-not-selected") a.ShowNotSelected = true;
        else if (!s.empty() && s[0] == '-') return Usage();
        else if (a.File.empty()) a.File = s;
        else return Usage();
    }
    if (a.File.empty() || (a.ShowNotSelected && !a.HasGroups)) return Usage();

    // Text is measured through the font files; no display is needed.
    setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite*/ 0);
    QGuiApplication app(argc, argv);
    try {
        return DumpScene(a);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "QuorvaneViewer: %s\n", e.what());
        return 1;
    }
}
