// mnf-samplegen: writes the bundled demo design and generated test designs.
#include "testkit/OldDesigns.h"
#include "testkit/SampleDesigns.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <exception>
#include <string>

namespace {

int Usage()
{
    std::fprintf(stderr,
                 "usage: mnf-samplegen --demo OUT.mnf\n"
                 "       mnf-samplegen --demo-viewer OUT.mvf\n"
                 "       mnf-samplegen --small [--viewer] OUT\n"
                 "       mnf-samplegen --holes N [--seed S] [--viewer] OUT\n"
                 "       mnf-samplegen --old VERSION OUT   (VERSION: 540 530 520 510 500 420 415 410 400 300 200)\n");
    return 2;
}

template <class T>
bool ParseNumber(const std::string& text, T& value)
{
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && p == end;
}

} // namespace

int main(int argc, char** argv)
{
    enum { None, Demo, DemoViewer, Small, Large, Old } kind = None;
    bool viewer = false;
    int holes = 0;
    int version = 0;
    unsigned seed = 1;
    bool seedGiven = false;
    std::string out;

    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto next = [&](std::string& v) {
            if (i + 1 >= argc) return false;
            v = argv[++i];
            return true;
        };
        auto setKind = [&](decltype(kind) k) {
            if (kind != None) return false;
            kind = k;
            return true;
        };
        std::string v;
        if (a == "--help" || a == "-h") {
            Usage();
            return 0;
        } else if (a == "--demo") {
            if (!setKind(Demo)) return Usage();
        } else if (a == "--demo-viewer") {
            if (!setKind(DemoViewer)) return Usage();
        } else if (a == "--small") {
            if (!setKind(Small)) return Usage();
        } else if (a == "--holes") {
            if (!setKind(Large) || !next(v) || !ParseNumber(v, holes) || holes < 0) return Usage();
        } else if (a == "--old") {
            if (!setKind(Old) || !next(v) || !ParseNumber(v, version)) return Usage();
            const auto& known = qv::samples::OldVersions();
            if (std::find(known.begin(), known.end(), version) == known.end()) return Usage();
        } else if (a == "--seed") {
            if (!next(v) || !ParseNumber(v, seed)) return Usage();
            seedGiven = true;
        } else if (a == "--viewer") {
            viewer = true;
        } else if (!a.empty() && a[0] == '-') {
            return Usage();
        } else if (out.empty()) {
            out = a;
        } else {
            return Usage();
        }
    }
    if (kind == None || out.empty()) return Usage();
    // --seed belongs to --holes only; --viewer to --small and --holes (the
    // demo has its own switch for the viewer variant).
    if (seedGiven && kind != Large) return Usage();
    if (viewer && (kind == Demo || kind == DemoViewer || kind == Old)) return Usage();

    try {
        switch (kind) {
        case Demo: qv::samples::WriteDemoDesign(out, false); break;
        case DemoViewer: qv::samples::WriteDemoDesign(out, true); break;
        case Small: qv::samples::WriteSmallDesign(out, viewer); break;
        case Large: qv::samples::WriteLargeDesign(out, holes, viewer, seed); break;
        case Old: qv::samples::WriteBytesFile(out, qv::samples::OldDesign(version)); break;
        case None: break;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mnf-samplegen: %s\n", e.what());
        return 1;
    }
    return 0;
}
