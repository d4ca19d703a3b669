#pragma once
// A desktop of its own for the file association tests: the XDG folders of
// data and configuration below a temporary folder, holding a MIME package
// (run through update-mime-database, as installing one does), a desktop
// entry per file type with an application, and mimeapps.list naming those
// entries the defaults. GIO reads these folders once per process, so a
// test program sets up one fake desktop before its first lookup and keeps
// it for every test that asks.
#include <string>
#include <vector>

namespace qv::test {

struct TFakeFileType {
    std::string MimeType; // "application/x-quorvane-manifold"
    std::string Pattern;  // "*.mnf"
    std::string Exec;     // the Exec line of its default application; empty: none
};

class TFakeDesktop {
public:
    // Builds the folders below folder and points XDG_DATA_HOME,
    // XDG_DATA_DIRS and XDG_CONFIG_HOME there. Throws std::runtime_error
    // when update-mime-database fails.
    TFakeDesktop(const std::string& folder, const std::vector<TFakeFileType>& types);
    // Puts the environment back as it was.
    ~TFakeDesktop();
    TFakeDesktop(const TFakeDesktop&) = delete;
    TFakeDesktop& operator=(const TFakeDesktop&) = delete;

private:
    struct TSaved { std::string Name, Value; bool Set; };
    std::vector<TSaved> fSaved;
};

// Writes an executable shell script.
void WriteScript(const std::string& path, const std::string& body);

} // namespace qv::test
