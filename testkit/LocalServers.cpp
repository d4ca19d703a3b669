#include "testkit/LocalServers.h"

#include "testkit/TestFiles.h"

#include "core/Text.h"
#include "platform/ProgramIdentity.h"
#include "platform/SettingsFolders.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qv::test {

namespace {

// How long a script may take to print its ports.
constexpr int kStartTimeoutMs = 15'000;

std::string ScriptPath(const char* name) { return std::string(QV_SOURCE_DIR) + "/testkit/servers/" + name; }

std::string JsonString(std::string_view s)
{
    std::string out = "\"";
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", c);
            out += esc;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

std::string RoutesJson(const std::vector<TServedRoute>& routes)
{
    std::string json = "[";
    for (const TServedRoute& r : routes) {
        if (json.size() > 1) json += ",";
        json += "{\"path\":" + JsonString(r.Path) + ",\"status\":" + std::to_string(r.Status);
        if (r.Size >= 0) json += ",\"size\":" + std::to_string(r.Size);
        else json += ",\"body\":" + JsonString(r.Body);
        json += std::string(",\"content_length\":") + (r.ContentLength ? "true" : "false");
        json += ",\"chunk\":" + std::to_string(r.Chunk) + ",\"delay_ms\":" + std::to_string(r.DelayMs);
        if (!r.Location.empty()) json += ",\"location\":" + JsonString(r.Location);
        json += ",\"stall_after\":" + std::to_string(r.StallAfter);
        json += std::string(",\"stall_before_headers\":") + (r.StallBeforeHeaders ? "true" : "false");
        if (!r.HoldFile.empty()) json += ",\"hold_file\":" + JsonString(r.HoldFile);
        json += "}";
    }
    return json + "]";
}

// The log a script appends: REQUEST, HEADER and AUTH lines, END.
std::vector<TSeenRequest> ReadLog(const std::string& path)
{
    std::vector<TSeenRequest> requests;
    std::ifstream in(path);
    std::string line;
    TSeenRequest current;
    while (std::getline(in, line)) {
        if (line.rfind("REQUEST ", 0) == 0) {
            current = {};
            const std::string rest = line.substr(8);
            const size_t blank = rest.find(' ');
            current.Method = rest.substr(0, blank);
            if (blank != std::string::npos) current.Target = rest.substr(blank + 1);
        } else if (line.rfind("HEADER ", 0) == 0) {
            const std::string rest = line.substr(7);
            const size_t colon = rest.find(": ");
            current.Headers.emplace_back(rest.substr(0, colon),
                                         colon == std::string::npos ? std::string() : rest.substr(colon + 2));
        } else if (line.rfind("AUTH ", 0) == 0) {
            current.Auth = line.substr(5);
        } else if (line == "END") {
            requests.push_back(current);
        }
    }
    return requests;
}

} // namespace

std::string PatternBytes(int64_t size)
{
    std::string bytes(static_cast<size_t>(size), '\0');
    for (int64_t i = 0; i < size; ++i) bytes[static_cast<size_t>(i)] = static_cast<char>((i * 31 + 7) % 251);
    return bytes;
}

std::string VersionPath() { return "/Version/" + ProgramName + "/" + ProgramName + "Version.txt"; }
std::string SetupPath() { return "/Version/" + ProgramName + "/setup.exe"; }

TServedRoute VersionRoute(std::string body)
{
    TServedRoute r;
    r.Path = VersionPath();
    r.Body = std::move(body);
    return r;
}

std::string VersionFileText(std::string_view version, std::string_view build)
{
    return "[Version]\nVersion=" + std::string(version) + "\nBuild=" + std::string(build) + "\n";
}

std::string TSeenRequest::Header(std::string_view name) const
{
    for (const auto& [n, v] : Headers)
        if (AsciiSameText(n, name)) return v;
    return {};
}

bool TSeenRequest::HasHeader(std::string_view name) const
{
    for (const auto& h : Headers)
        if (AsciiSameText(h.first, name)) return true;
    return false;
}

std::string NewTempFolder(const std::string& prefix)
{
    std::string templ = TempPath(prefix + "-XXXXXX");
    if (!mkdtemp(templ.data())) throw std::runtime_error("cannot make a temporary folder " + templ);
    return templ + "/";
}

TScriptProcess::TScriptProcess(const std::vector<std::string>& args, int portLines)
{
    // -I -S: the standard library only, without the site packages and their start-up time.
    std::vector<std::string> all{"python3", "-I", "-S", "-u"};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    const pid_t parent = getpid();
    fPid = fork();
    if (fPid < 0) {
        close(pipeFds[0]);
        close(pipeFds[1]);
        throw std::runtime_error("fork failed");
    }
    if (fPid == 0) {
        // The script ends with the test program, however that ends.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(127);
        dup2(pipeFds[1], STDOUT_FILENO);
        execvp("python3", argv.data());
        _exit(127);
    }
    close(pipeFds[1]);
    fOut = pipeFds[0];

    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
    while (static_cast<int>(fPorts.size()) < portLines) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd p{fOut, POLLIN, 0};
        if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
        char buffer[256];
        const ssize_t n = read(fOut, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<size_t>(n));
        fPorts.clear();
        std::istringstream lines(text);
        std::string line;
        while (std::getline(lines, line) && !lines.eof()) { // lines with their line break only
            const size_t blank = line.rfind(' ');
            if (blank != std::string::npos) fPorts.push_back(std::atoi(line.c_str() + blank + 1));
        }
    }
    if (static_cast<int>(fPorts.size()) < portLines) {
        Stop();
        throw std::runtime_error("the test server " + args.front() + " did not start: " + text);
    }
}

TScriptProcess::~TScriptProcess() { Stop(); }

void TScriptProcess::Stop()
{
    if (fPid > 0) {
        kill(fPid, SIGKILL);
        while (waitpid(fPid, nullptr, 0) < 0 && errno == EINTR) {
        }
        fPid = -1;
    }
    if (fOut >= 0) close(fOut);
    fOut = -1;
}

TLocalUpdateServer::TLocalUpdateServer(const std::vector<TServedRoute>& routes)
    : TLocalUpdateServer(routes, TOptions{})
{
}

TLocalUpdateServer::TLocalUpdateServer(const std::vector<TServedRoute>& routes, const TOptions& options)
    : fFolder(NewTempFolder("server")), fLog(fFolder + "requests.log"), fTls(options.Tls)
{
    const std::string routesFile = fFolder + "routes.json";
    WriteBytes(routesFile, RoutesJson(routes));
    std::vector<std::string> args{ScriptPath("update_server.py"), routesFile, fLog};
    if (options.Tls) {
        fCaFile = fFolder + "cert.pem";
        const std::string key = fFolder + "key.pem";
        const TRunResult made = RunCommand(
            "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2 -subj /CN=127.0.0.1"
            " -addext subjectAltName=IP:127.0.0.1 -keyout '" + key + "' -out '" + fCaFile + "'");
        if (made.status != 0) throw std::runtime_error("openssl could not make a certificate: " + made.err);
        args.insert(args.end(), {"--tls", fCaFile, key});
    }
    if (options.Blackhole) args.push_back("--blackhole");
    fProcess = std::make_unique<TScriptProcess>(args, options.Blackhole ? 2 : 1);
}

std::string TLocalUpdateServer::BaseUrl() const
{
    return std::string(fTls ? "https" : "http") + "://127.0.0.1:" + std::to_string(Port());
}

std::string TLocalUpdateServer::BlackholeUrl() const
{
    if (fProcess->Ports().size() < 2) throw std::logic_error("the server was started without a blackhole port");
    return "http://127.0.0.1:" + std::to_string(fProcess->Ports()[1]);
}

std::vector<TSeenRequest> TLocalUpdateServer::Requests() const { return ReadLog(fLog); }

TLocalProxy::TLocalProxy(const std::string& user, const std::string& password)
    : fFolder(NewTempFolder("proxy")), fLog(fFolder + "requests.log")
{
    fProcess = std::make_unique<TScriptProcess>(
        std::vector<std::string>{ScriptPath("update_proxy.py"), user, password, fLog}, 1);
}

std::vector<TSeenRequest> TLocalProxy::Requests() const { return ReadLog(fLog); }

TClosedPort::TClosedPort()
{
    fFd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fFd < 0 || bind(fFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(fFd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (fFd >= 0) close(fFd);
        throw std::runtime_error("cannot bind a loopback port");
    }
    fPort = ntohs(address.sin_port);
}

TClosedPort::~TClosedPort() { close(fFd); }

TUpdateTestEnvironment::TUpdateTestEnvironment(const TLocalUpdateServer& server)
    : TUpdateTestEnvironment(server.BaseUrl(), server.CaFile())
{
}

TUpdateTestEnvironment::TUpdateTestEnvironment(const std::string& serverUrl, const std::string& caFile)
    : fFolder(NewTempFolder("update"))
{
    fEnv.Set("XDG_CONFIG_HOME", fFolder + "config");
    fEnv.Set("XDG_CONFIG_DIRS", fFolder + "shared");
    fEnv.Set("QV_UPDATE_SERVER", serverUrl);
    fEnv.Set("QV_UPDATE_CA", caFile.empty() ? std::nullopt : std::optional<std::string>(caFile));
    for (const char* name : {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY", "no_proxy",
                             "NO_PROXY"})
        fEnv.Set(name, std::nullopt);
}

void TUpdateTestEnvironment::WriteProxySettings(const std::string& iniText) const
{
    const std::string file = ProxySettingsFile();
    std::filesystem::create_directories(std::filesystem::path(file).parent_path());
    WriteBytes(file, iniText);
}

} // namespace qv::test
