#pragma once
// Local stand-ins for the download server and an HTTP proxy, for the update's
// tests: python3 scripts (servers/) started on 127.0.0.1 on a port the system
// chooses, stopped when the object is destroyed (or when the test program
// dies). Nothing they do leaves the machine: the proxy forwards to loopback
// addresses only.
//
//   TLocalUpdateServer server({VersionRoute("[Version]\nVersion=2022\nBuild=46\n")});
//   TUpdateTestEnvironment env(server);   // QV_UPDATE_SERVER, own settings folders
//   ... CheckForNewerVersion(VersionFileUrl(), ...) ...
//   server.Requests()                     // what the server saw
#include "testkit/EnvGuard.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace qv::test {

// What the server answers on one path (the query is not part of it).
struct TServedRoute {
    std::string Path;
    int Status = 200;
    std::string Body;           // UTF-8 text; ignored when Size >= 0
    int64_t Size = -1;          // a generated body of this many bytes (PatternBytes)
    bool ContentLength = true;  // false: no length, the body ends when the connection closes
    int64_t Chunk = 0;          // bytes per write (0: the whole body at once)
    int DelayMs = 0;            // pause between two writes
    std::string Location;       // a Location header (with a 3xx Status: a redirect)
    int64_t StallAfter = -1;    // >= 0: send the headers and this many bytes, then nothing more
    bool StallBeforeHeaders = false; // read the request and never answer
    std::string HoldFile;       // answer only once this file exists
};

// The generated body of TServedRoute::Size: byte i is (i * 31 + 7) mod 251.
std::string PatternBytes(int64_t size);

// "/Version/QuorvaneViewer/QuorvaneViewerVersion.txt" (after ProgramName).
std::string VersionPath();
// "/Version/QuorvaneViewer/setup.exe"
std::string SetupPath();
// The version file route, and its usual content.
TServedRoute VersionRoute(std::string body);
std::string VersionFileText(std::string_view version, std::string_view build);

// A request as a server or the proxy received it.
struct TSeenRequest {
    std::string Method;
    std::string Target; // path and query; for the proxy the absolute URL or host:port
    std::vector<std::pair<std::string, std::string>> Headers; // in the order received
    std::string Auth;   // the proxy's verdict: "ok", "missing" or "wrong"
    // The value of the first header of that name (any letter case), or "".
    std::string Header(std::string_view name) const;
    bool HasHeader(std::string_view name) const;
};

// A fresh folder of its own under the test program's temporary folder.
std::string NewTempFolder(const std::string& prefix);

// A running python3 script that printed its ports; stopped when destroyed.
class TScriptProcess {
public:
    TScriptProcess(const std::vector<std::string>& args, int portLines);
    ~TScriptProcess();
    TScriptProcess(const TScriptProcess&) = delete;
    TScriptProcess& operator=(const TScriptProcess&) = delete;
    // The ports in the order printed.
    const std::vector<int>& Ports() const { return fPorts; }

private:
    void Stop();
    pid_t fPid = -1;
    int fOut = -1;
    std::vector<int> fPorts;
};

class TLocalUpdateServer {
public:
    struct TOptions {
        bool Tls = false;       // https with a self-signed certificate made now with openssl
        bool Blackhole = false; // also a port whose connections never complete
    };
    explicit TLocalUpdateServer(const std::vector<TServedRoute>& routes);
    TLocalUpdateServer(const std::vector<TServedRoute>& routes, const TOptions& options);

    int Port() const { return fProcess->Ports()[0]; }
    // "http://127.0.0.1:PORT" or "https://127.0.0.1:PORT"
    std::string BaseUrl() const;
    std::string Url(std::string_view pathAndQuery) const { return BaseUrl() + std::string(pathAndQuery); }
    // The certificate to trust for Tls (it is its own authority), else "".
    const std::string& CaFile() const { return fCaFile; }
    // "http://127.0.0.1:PORT" of the port that never completes a connection.
    std::string BlackholeUrl() const;
    // Every request so far, in the order they arrived.
    std::vector<TSeenRequest> Requests() const;

private:
    std::string fFolder, fLog, fCaFile;
    bool fTls = false;
    std::unique_ptr<TScriptProcess> fProcess;
};

// An HTTP proxy that requires basic authentication with User and Password.
class TLocalProxy {
public:
    TLocalProxy(const std::string& user, const std::string& password);
    int Port() const { return fProcess->Ports()[0]; }
    std::vector<TSeenRequest> Requests() const;

private:
    std::string fFolder, fLog;
    std::unique_ptr<TScriptProcess> fProcess;
};

// A loopback port that refuses every connection while the object lives: it
// is bound (so no other program can take it) but never listens.
class TClosedPort {
public:
    TClosedPort();
    ~TClosedPort();
    TClosedPort(const TClosedPort&) = delete;
    TClosedPort& operator=(const TClosedPort&) = delete;
    int Port() const { return fPort; }
    std::string Url() const { return "http://127.0.0.1:" + std::to_string(fPort); }

private:
    int fFd = -1;
    int fPort = 0;
};

// One test's world for the update: XDG_CONFIG_HOME and XDG_CONFIG_DIRS in a
// fresh folder (the Ini, Downloads and Bin folders are its own),
// QV_UPDATE_SERVER at the server, QV_UPDATE_CA at its certificate (or unset),
// and the proxy variables of the environment unset. Restores them all when
// destroyed.
class TUpdateTestEnvironment {
public:
    explicit TUpdateTestEnvironment(const TLocalUpdateServer& server);
    // Any server URL, such as a closed port; no extra certificate.
    explicit TUpdateTestEnvironment(const std::string& serverUrl, const std::string& caFile = "");
    const std::string& Folder() const { return fFolder; }
    // Writes ProxyServer.ini with this text.
    void WriteProxySettings(const std::string& iniText) const;
    TEnvGuard& Env() { return fEnv; }

private:
    TEnvGuard fEnv;
    std::string fFolder;
};

} // namespace qv::test
