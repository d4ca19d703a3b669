#include "testkit/TestFiles.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace qv::test {
namespace {

struct TempDir {
    std::filesystem::path path;
    TempDir()
    {
        std::string templ = (std::filesystem::temp_directory_path() / "qvtest-XXXXXX").string();
        if (!mkdtemp(templ.data())) throw std::runtime_error("mkdtemp failed");
        path = templ;
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

const std::filesystem::path& Dir()
{
    static TempDir dir;
    return dir.path;
}

} // namespace

std::string TempPath(const std::string& name) { return (Dir() / name).string(); }

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string WriteTempFile(const std::string& name, const std::string& bytes)
{
    const std::string path = TempPath(name);
    WriteBytes(path, bytes);
    return path;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TRunResult RunCommand(const std::string& command)
{
    static int n = 0;
    const std::string out = TempPath("run" + std::to_string(++n) + ".out");
    const std::string err = out + ".err";
    const int raw = std::system((command + " >'" + out + "' 2>'" + err + "'").c_str());
    TRunResult r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = ReadBytes(out);
    r.err = ReadBytes(err);
    return r;
}

void WriteArgumentsScript(const std::string& path, const std::string& outFile)
{
    // Single quotes around the output's name: it may hold blanks.
    WriteBytes(path, "#!/bin/sh\n"
                     "{ echo \"$#\"; for a in \"$@\"; do echo \"$a\"; done; } > '" + outFile + ".part'\n"
                     "mv '" + outFile + ".part' '" + outFile + "'\n");
}

bool WaitForFile(const std::string& path)
{
    for (int i = 0; i < 3000; ++i) {
        std::error_code ec;
        if (std::filesystem::exists(path, ec)) return true;
        usleep(10000);
    }
    return false;
}

std::string Words(std::initializer_list<uint16_t> words)
{
    std::string s;
    for (uint16_t w : words) {
        s += static_cast<char>(w & 0xFF);
        s += static_cast<char>(w >> 8);
    }
    return s;
}

std::string WriteDesign(const std::string& name, const std::function<void(TQuorvaneFile&)>& body,
                        const TDesignOptions& options)
{
    const std::string path = TempPath(name);
    {
        TQuorvaneFile f(path, TQuorvaneFile::ModeWrite, options.Viewer);
        if (f.Error()) throw std::runtime_error("cannot create " + path);
        f.WriteFileVersion();
        f.WriteVar(1000);
        if (body) body(f);
        if (options.WithEnd) f.WriteVar(1999);
        f.Flush();
    }
    return path;
}

void WriteSimpleHole(TQuorvaneFile& f, int holeNumber, const std::function<void(TQuorvaneFile&)>& extra)
{
    f.WriteVar(10000);
    f.WriteInteger(10010, holeNumber);
    f.WriteInteger(10200, 1);
    f.WriteVar(20000);
    f.WriteDouble(20100, 10.0);
    f.WriteDouble(20110, 20.0);
    f.WriteVar(29999);
    if (extra) extra(f);
    f.WriteVar(19999);
}

} // namespace qv::test
