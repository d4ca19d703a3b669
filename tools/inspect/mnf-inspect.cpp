// mnf-inspect: loads a manifold or viewer file as the viewer would and prints
// the whole document as JSON, or with --walls the design's wall-thickness
// check.
#include "check/WallCheck.h"
#include "core/Messages.h"
#include "core/Text.h"
#include "document/Manifolds.h"
#include "inspect/ManifoldJson.h"
#include "inspect/WallsJson.h"
#include "stream/QuorvaneFiles.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: mnf-inspect [--viewer | --manifold] [--geometry | --walls] [--compact] FILE\n");
    return 2;
}

bool EndsWithNoCase(const std::string& s, const std::string& suffix)
{
    if (s.size() < suffix.size()) return false;
    return qv::AsciiSameText(s.substr(s.size() - suffix.size()), suffix);
}

} // namespace

int main(int argc, char** argv)
{
    enum { ByExtension, Viewer, Manifold } variant = ByExtension;
    qv::TJsonOptions options;
    bool walls = false;
    std::string file;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--viewer") variant = Viewer;
        else if (a == "--manifold") variant = Manifold;
        else if (a == "--geometry") options.Geometry = true;
        else if (a == "--compact") options.Pretty = false;
        else if (a == "--walls") walls = true;
        else if (a == "--help" || a == "-h") { Usage(); return 0; }
        else if (!a.empty() && a[0] == '-' && a != "-") return Usage();
        else if (file.empty()) file = a;
        else return Usage();
    }
    if (file.empty() || (walls && options.Geometry)) return Usage();

    // The file is read once (a pipe or FIFO can be read only once); an
    // unreadable file is a usage-level error, not a failed load.
    qv::TFileContent content;
    std::string why;
    if (!qv::ReadFileContent(file, content, why)) {
        std::fprintf(stderr, "mnf-inspect: cannot read \"%s\": %s\n", file.c_str(), why.c_str());
        // The check answers whether a design can be checked: a file that
        // cannot be read cannot be loaded either.
        return walls ? 1 : 2;
    }

    const bool viewer = variant == Viewer || (variant == ByExtension && EndsWithNoCase(file, ".MVF"));
    try {
        qv::TManifold m;
        qv::TMessageCollector messages;
        const int version = qv::DetectFileVersionFromBytes(content.Bytes, 1);
        const bool ok = m.LoadFromBytes({content.Bytes, file, content.Time}, viewer, viewer);
        content.Bytes.Clear(); // the document holds all that is needed now
        // Written as it is made: the text of a large design is several times
        // the size of the design itself. A failed write throws and ends with
        // status 2 below, never with the load's status.
        qv::TJsonFileSink out(STDOUT_FILENO);
        if (walls) {
            // Findings are the check's answer, not a failure: 0 with or
            // without them.
            if (!ok) {
                qv::WriteWallsLoadFailure(out, messages.Texts(), options.Pretty);
                return 1;
            }
            const qv::TWallCheckResult result = qv::CheckWalls(m);
            qv::WriteWallsJson(out, messages.Texts(), m, result, options.Pretty);
            return 0;
        }
        qv::WriteInspectJson(out, version, ok, messages.Texts(), m, options);
        return ok ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mnf-inspect: %s\n", e.what());
        return 2;
    }
}
