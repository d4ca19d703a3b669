#include "testkit/FakeDesktop.h"

#include "testkit/TestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace qv::test {

namespace fs = std::filesystem;

TFakeDesktop::TFakeDesktop(const std::string& folder, const std::vector<TFakeFileType>& types)
{
    const fs::path root(folder), data = root / "data", config = root / "config";
    fs::create_directories(data / "mime" / "packages");
    fs::create_directories(data / "applications");
    fs::create_directories(config);

    std::string package = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    std::string defaults = "[Default Applications]\n";
    int n = 0;
    for (const TFakeFileType& t : types) {
        package += "  <mime-type type=\"" + t.MimeType + "\">\n    <comment>" + t.MimeType +
                   "</comment>\n    <glob pattern=\"" + t.Pattern + "\"/>\n  </mime-type>\n";
        if (t.Exec.empty()) continue;
        const std::string id = "qv-fake-app" + std::to_string(++n) + ".desktop";
        WriteBytes((data / "applications" / id).string(),
                   "[Desktop Entry]\nType=Application\nName=Fake application " + std::to_string(n) +
                       "\nExec=" + t.Exec + "\nMimeType=" + t.MimeType + ";\n");
        defaults += t.MimeType + "=" + id + "\n";
    }
    package += "</mime-info>\n";
    WriteBytes((data / "mime" / "packages" / "qv-fake.xml").string(), package);
    WriteBytes((config / "mimeapps.list").string(), defaults);
    const TRunResult r = RunCommand("update-mime-database '" + (data / "mime").string() + "'");
    if (r.status != 0) throw std::runtime_error("update-mime-database failed: " + r.err);

    const std::pair<const char*, std::string> vars[] = {
        {"XDG_DATA_HOME", data.string()}, {"XDG_DATA_DIRS", data.string()}, {"XDG_CONFIG_HOME", config.string()}};
    for (const auto& [name, value] : vars) {
        const char* old = std::getenv(name);
        fSaved.push_back({name, old ? old : "", old != nullptr});
        setenv(name, value.c_str(), 1);
    }
}

TFakeDesktop::~TFakeDesktop()
{
    for (const TSaved& s : fSaved) {
        if (s.Set) setenv(s.Name.c_str(), s.Value.c_str(), 1);
        else unsetenv(s.Name.c_str());
    }
}

void WriteScript(const std::string& path, const std::string& body)
{
    WriteBytes(path, "#!/bin/sh\n" + body);
    fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
}

} // namespace qv::test
