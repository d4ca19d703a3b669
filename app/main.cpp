// QuorvaneViewer: the program's start.
//
//   QuorvaneViewer [FILE]
//
// opens the main window, and FILE in it when given (a ".mnf" or ".mvf"
// design file).
//
//   QuorvaneViewer --dump-scene FILE [--settings INI] [--groups CODE,CODE...
//                  [--show-not-selected]]
//
// builds the 3D scene of FILE exactly as opening it does (camera reset,
// scene rebuilt, group filter applied) without a window and prints it as
// JSON.
//
//   QuorvaneViewer --render OUT [--size WxH] [--settings INI] FILE
//
// renders that scene as Save As... does for a view of W x H pixels (white
// background, the picture k times the view in each direction) through an
// OpenGL context with no window system, and writes it to OUT: a PNG file
// when OUT ends in ".png", a 24-bit BMP file otherwise.
//
// The view settings are the defaults, or those of INI (laid out like the
// "IsoView" settings file); the user's own settings are never read.
//
//   QuorvaneViewer --check-update
//
// asks the download server whether a newer version exists and prints one
// line: "up to date", "version V build B is available" (exit status 0) or
// "check failed: REASON" (exit status 1). It needs no display.
#include "core/Messages.h"
#include "core/Text.h"
#include "document/Manifolds.h"
#include "view3d/EglContext.h"
#include "view3d/IsometricDrawingSettings.h"
#include "view3d/ManifoldView.h"
#include "view3d/SceneJson.h"
#include "view3d/scene/GLRender.h"
#include "platform/ProgramIdentity.h"
#include "shell/Application.h"
#include "shell/MainForm.h"
#include "shell/Translate.h"
#include "update/CheckUpdateCommand.h"

#include <QGuiApplication>
#include <QImage>

#include <clocale>
#include <functional>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

const char* const kUsage =
    "usage: QuorvaneViewer [FILE]\n"
    "       QuorvaneViewer --dump-scene FILE [--settings INI] [--groups CODE,CODE... [--show-not-selected]]\n"
    "       QuorvaneViewer --render OUT [--size WxH] [--settings INI] FILE\n"
    "       QuorvaneViewer --check-update\n";

// The 3D view of the main window at its first size (the client area less
// the toolbar, the panel on the right and the status bar).
constexpr int kDefaultViewWidth = 749, kDefaultViewHeight = 683;
// Largest view side --size accepts.
constexpr int kMaxViewSide = 16384;

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

struct TRenderArgs {
    std::string Out, File, Settings;
    int ViewWidth = kDefaultViewWidth, ViewHeight = kDefaultViewHeight;
};

// Loads FILE with the view settings of INI (or the defaults) and builds its
// scene as opening it in the window does; then runs use on the view with
// the group filter applied. Returns 1 with the reason on standard error
// when FILE or INI cannot be read or loaded, otherwise what use returns.
int WithView(const std::string& file, const std::string& ini, const std::vector<std::string>& groups,
             bool hideNotSelected, const std::function<int(qv::TManifoldView&)>& use)
{
    if (!Readable(file)) {
        std::fprintf(stderr, "QuorvaneViewer: cannot read \"%s\"\n", file.c_str());
        return 1;
    }
    qv::TIsometricDrawingSettings settings;
    if (!ini.empty()) {
        if (!Readable(ini)) {
            std::fprintf(stderr, "QuorvaneViewer: cannot read the settings file \"%s\"\n", ini.c_str());
            return 1;
        }
        settings.LoadFromIni(ini);
    }
    qv::TManifold manifold;
    bool ok = false;
    std::vector<std::string> messages;
    {
        qv::TMessageCollector collector;
        ok = EndsWithNoCase(file, ".MVF") ? manifold.LoadFromViewerFile(file) : manifold.LoadFromFile(file);
        messages = collector.Texts();
    }
    for (const auto& m : messages) std::fprintf(stderr, "QuorvaneViewer: %s\n", m.c_str());
    if (!ok) {
        std::fprintf(stderr, "QuorvaneViewer: \"%s\" could not be loaded\n", file.c_str());
        return 1;
    }

    qv::TManifoldView view(settings);
    view.DocumentLoaded(manifold);
    view.fVisibleGroupNames = groups;
    view.HideNotSelected = hideNotSelected;
    view.ApplyGroupFilter(true);
    return use(view);
}

int DumpScene(const TDumpArgs& a)
{
    return WithView(a.File, a.Settings, a.Groups, !a.ShowNotSelected, [](qv::TManifoldView& view) {
        const std::string json = qv::SceneToJson(*view.GLDummyCube1(), view.SC(), view.LabelTextHeight());
        std::fwrite(json.data(), 1, json.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    });
}

// "WxH" with both sides from 1 to kMaxViewSide.
bool ParseSize(const std::string& s, int& w, int& h)
{
    const size_t x = s.find_first_of("xX");
    if (x == std::string::npos || x == 0 || x + 1 >= s.size()) return false;
    auto side = [](const std::string& t, int& out) {
        if (t.size() > 5 || t.find_first_not_of("0123456789") != std::string::npos) return false;
        out = std::stoi(t);
        return out >= 1 && out <= kMaxViewSide;
    };
    return side(s.substr(0, x), w) && side(s.substr(x + 1), h);
}

int Render(const TRenderArgs& a)
{
    return WithView(a.File, a.Settings, {}, true, [&a](qv::TManifoldView& view) {
        qv::TEglContext gl;
        if (!gl.IsValid() || !gl.MakeCurrent()) {
            std::fprintf(stderr, "QuorvaneViewer: no OpenGL context for rendering: %s\n",
                         gl.IsValid() ? "it cannot be made current" : gl.ErrorText().c_str());
            return 1;
        }
        const int k = qv::scene::SupersamplingFactor(a.ViewWidth, a.ViewHeight);
        qv::scene::TOffscreenOptions options;
        options.Background = {1, 1, 1, 1};
        options.RefWidth = a.ViewWidth;
        options.RefHeight = a.ViewHeight;
        const QImage image = qv::scene::RenderSceneToImage(view.Scene(), *view.GLCamera1(), a.ViewWidth * k,
                                                           a.ViewHeight * k, options, gl.CacheGroup());
        gl.DoneCurrent();
        if (EndsWithNoCase(a.Out, ".png")) {
            if (!image.save(QString::fromStdString(a.Out), "PNG")) {
                std::fprintf(stderr, "QuorvaneViewer: could not write the picture file \"%s\"\n", a.Out.c_str());
                return 1;
            }
        } else {
            qv::scene::SaveBmp24(image, a.Out);
        }
        return 0;
    });
}

bool ParseRender(const std::vector<std::string>& args, TRenderArgs& a)
{
    if (args.size() < 2 || args[1].empty() || args[1][0] == '-') return false;
    a.Out = args[1];
    for (size_t i = 2; i < args.size(); ++i) {
        const std::string& s = args[i];
        if (s == "--size" && i + 1 < args.size()) {
            if (!ParseSize(args[++i], a.ViewWidth, a.ViewHeight)) return false;
        } else if (s == "--settings" && i + 1 < args.size()) a.Settings = args[++i];
        else if (!s.empty() && s[0] == '-') return false;
        else if (a.File.empty()) a.File = s;
        else return false;
    }
    return !a.File.empty();
}

bool ParseDump(const std::vector<std::string>& args, TDumpArgs& a)
{
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& s = args[i];
        if (s == "--settings" && i + 1 < args.size()) a.Settings = args[++i];
        else if (s == "--groups" && i + 1 < args.size()) { a.HasGroups = true; a.Groups = SplitCodes(args[++i]); }
        else if (s == "--show-not-selected") a.ShowNotSelected = true;
        else if (!s.empty() && s[0] == '-') return false;
        else if (a.File.empty()) a.File = s;
        else return false;
    }
    return !a.File.empty() && (!a.ShowNotSelected || a.HasGroups);
}

// The commands print their own messages, one line each; Qt's notes on
// the machine (such as a missing XDG_RUNTIME_DIR) would only add noise.
void KeepQtQuiet(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
}

// The window: program identity, the language (texts and number format), the main
// window with the command line's file, the event loop.
int RunWindow(int argc, char** argv, const std::vector<std::string>& args)
{
    const auto set = [](const char* name) { const char* v = std::getenv(name); return v && *v; };
    if (!set("DISPLAY") && !set("WAYLAND_DISPLAY") && !set("QT_QPA_PLATFORM")) {
        std::fputs("QuorvaneViewer: there is no display to open the window on; --render draws the view into a "
                   "picture without one\n",
                   stderr);
        return 1;
    }
    qv::IsViewer = true;
    qv::TViewerApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(qv::ProgramName));
    // Qt set the user's locale; texts and numbers follow the program's
    // language, English, whatever the user's environment says.
    setlocale(LC_ALL, "C.UTF-8");
    qv::UseLanguage(qv::DefaultCatalogueFolder());
    qv::TMainForm form(args);
    form.show();
    return app.exec();
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0].empty() || args[0][0] != '-') return RunWindow(argc, argv, args);
    if (args.size() == 1 && args[0] == "--check-update") {
        const qv::TCheckUpdateOutcome outcome = qv::CheckUpdateCommand();
        std::printf("%s\n", outcome.Line.c_str());
        return std::fflush(stdout) == 0 ? outcome.ExitStatus : 1;
    }
    TDumpArgs dump;
    TRenderArgs render;
    const bool isDump = !args.empty() && args[0] == "--dump-scene";
    const bool isRender = !args.empty() && args[0] == "--render";
    if (!(isDump && ParseDump(args, dump)) && !(isRender && ParseRender(args, render))) return Usage();

    // Text is measured through the font files; no display is needed.
    setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite*/ 0);
    qInstallMessageHandler(KeepQtQuiet);
    QGuiApplication app(argc, argv);
    try {
        return isDump ? DumpScene(dump) : Render(render);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "QuorvaneViewer: %s\n", e.what());
        return 1;
    }
}
