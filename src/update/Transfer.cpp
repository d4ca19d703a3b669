#include "update/Transfer.h"

#include "update/ProxySettings.h"
#include "update/UpdateCheck.h"

#include "platform/ProgramIdentity.h"

#include <curl/curl.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace {

using TClock = std::chrono::steady_clock;

// The idle handler is called when this much time has passed since its last
// call, and the wait for the network never lasts longer: the handler runs
// about every 2 * kIdleIntervalMs at worst, within the 50 ms the window
// needs, even while nothing arrives.
constexpr int kIdleIntervalMs = 20;
constexpr long kMaxRedirects = 10;
constexpr int64_t kMaxCaFileBytes = 8 * 1024 * 1024;

TTransferLimits gLimits;

std::mutex gIdleMutex;
std::function<void()> gIdleHandler;

thread_local std::string gLastError;

void InitCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct TEasyDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct TMultiDeleter {
    void operator()(CURLM* m) const { curl_multi_cleanup(m); }
};
struct TSlistDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

// The temporary file the body is written to, beside the target. Removed
// unless Commit renamed it into place.
class TPartFile {
public:
    explicit TPartFile(const std::string& target) : fTarget(target)
    {
        std::string pattern = target + ".part.XXXXXX";
        fFd = mkstemp(pattern.data());
        if (fFd >= 0) {
            fPath = pattern;
            fchmod(fFd, 0644);
        }
    }
    ~TPartFile()
    {
        if (fFd >= 0) close(fFd);
        if (!fPath.empty()) unlink(fPath.c_str());
    }
    TPartFile(const TPartFile&) = delete;
    TPartFile& operator=(const TPartFile&) = delete;

    bool Ok() const { return fFd >= 0; }
    bool Write(const char* data, size_t size)
    {
        while (size > 0) {
            const ssize_t n = ::write(fFd, data, size);
            if (n < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            data += n;
            size -= static_cast<size_t>(n);
        }
        return true;
    }
    // Flushes the file to the disk and renames it over the target.
    bool Commit()
    {
        if (fsync(fFd) != 0) return false;
        const int fd = fFd;
        fFd = -1;
        if (close(fd) != 0) return false;
        if (std::rename(fPath.c_str(), fTarget.c_str()) != 0) return false;
        fPath.clear();
        return true;
    }

private:
    std::string fTarget;
    std::string fPath;
    int fFd = -1;
};

struct TContext {
    CURL* Easy = nullptr;
    const TTransferRequest* Request = nullptr;
    TPartFile* Part = nullptr;
    int64_t Received = 0;
    bool Began = false;
    TClock::time_point LastData;
    std::string Error;            // set by a callback that stopped the transfer
    std::exception_ptr Exception; // thrown by an event handler, rethrown after cleaning up
};

int64_t AnnouncedLength(CURL* easy)
{
    curl_off_t length = -1;
    if (curl_easy_getinfo(easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK || length < 0) return 0;
    return length;
}

void Begin(TContext& c)
{
    if (c.Began) return;
    c.Began = true;
    if (c.Request->OnBegin) c.Request->OnBegin(AnnouncedLength(c.Easy));
}

size_t OnHeader(char*, size_t size, size_t count, void* user)
{
    static_cast<TContext*>(user)->LastData = TClock::now();
    return size * count;
}

size_t OnBody(char* data, size_t size, size_t count, void* user)
{
    auto& c = *static_cast<TContext*>(user);
    const size_t bytes = size * count;
    c.LastData = TClock::now();
    try {
        Begin(c);
        if (static_cast<int64_t>(bytes) > c.Request->MaxBytes - c.Received) {
            c.Error = "the answer is larger than " + std::to_string(c.Request->MaxBytes) + " bytes";
            return 0;
        }
        if (!c.Part->Write(data, bytes)) {
            c.Error = "cannot write " + c.Request->FileName;
            return 0;
        }
        c.Received += static_cast<int64_t>(bytes);
        if (c.Request->OnProgress) c.Request->OnProgress(c.Received);
    } catch (...) {
        c.Exception = std::current_exception();
        return 0;
    }
    return bytes;
}

// The system's CA bundle and the file named by $QV_UPDATE_CA, as one PEM
// text. libcurl reads one bundle: a bundle of our own would replace the
// system's, so that our test servers' certificate could be trusted only by
// distrusting every public server.
bool ExtraCaBundle(CURL* easy, const std::string& extraFile, std::string& bundle, std::string& error)
{
    auto readFile = [](const std::string& path, std::string& text) {
        std::ifstream in(path, std::ios::binary);
        if (!in) return false;
        text.assign(std::istreambuf_iterator<char>(in), {});
        return !in.bad() && static_cast<int64_t>(text.size()) <= kMaxCaFileBytes;
    };
    std::string extra;
    if (!readFile(extraFile, extra)) {
        error = "cannot read the certificate file " + extraFile;
        return false;
    }
    char* systemFile = nullptr;
    std::string system;
    if (curl_easy_getinfo(easy, CURLINFO_CAINFO, &systemFile) == CURLE_OK && systemFile) readFile(systemFile, system);
    bundle = system + "\n" + extra;
    return true;
}

std::string CurlFailure(CURL* easy, CURLcode code, const char* errorBuffer)
{
    if (code == CURLE_HTTP_RETURNED_ERROR) {
        long status = 0;
        curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
        return "HTTP status " + std::to_string(status);
    }
    if (errorBuffer[0]) return errorBuffer;
    return curl_easy_strerror(code);
}

bool Configure(CURL* easy, const TTransferRequest& request, TContext& context, curl_slist*& headers,
               char* errorBuffer, std::string& error)
{
    curl_easy_setopt(easy, CURLOPT_URL, request.Url.c_str());
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(gLimits.ConnectTimeoutMs));
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(request.MaxBytes));
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &context);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &context);

    if (request.IdentifyProgram) {
        const std::string agent = ProgramName + " " + ProgramYear + " " + ProgramBuild;
        curl_easy_setopt(easy, CURLOPT_USERAGENT, agent.c_str()); // copied by libcurl
        for (const std::string& h : {"X-VELK-VERSION: " + ProgramYear + "." + ProgramBuild,
                                     "X-VELK-PROGRAM: " + ProgramName}) {
            curl_slist* more = curl_slist_append(headers, h.c_str());
            if (!more) {
                error = "out of memory";
                return false;
            }
            headers = more;
        }
        curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
    }

    // The proxy is the one of ProxyServer.ini or none: never one from
    // $http_proxy and the like, and $no_proxy does not bypass ours.
    TProxyServerData proxy;
    TProxyServerSettingsDlg::LoadProxySettingsFromFile(proxy);
    if (proxy.UseProxy && !proxy.Host.empty()) {
        if (proxy.Port < 1 || proxy.Port > 65535) {
            error = "the proxy port " + std::to_string(proxy.Port) + " is not valid";
            return false;
        }
        curl_easy_setopt(easy, CURLOPT_PROXY, proxy.Host.c_str());
        curl_easy_setopt(easy, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP));
        curl_easy_setopt(easy, CURLOPT_PROXYPORT, static_cast<long>(proxy.Port));
        curl_easy_setopt(easy, CURLOPT_NOPROXY, "");
        if (!proxy.UserName.empty() || !proxy.PassWord.empty()) {
            curl_easy_setopt(easy, CURLOPT_PROXYUSERNAME, proxy.UserName.c_str());
            curl_easy_setopt(easy, CURLOPT_PROXYPASSWORD, proxy.PassWord.c_str());
            // Basic authentication by default sends the credentials with the
            // first request; otherwise they go only in the form the proxy
            // asks for.
            curl_easy_setopt(easy, CURLOPT_PROXYAUTH, proxy.BasicAuthentication ? CURLAUTH_BASIC : CURLAUTH_ANY);
        }
    } else {
        curl_easy_setopt(easy, CURLOPT_PROXY, "");
    }

    if (const char* ca = std::getenv("QV_UPDATE_CA"); ca && *ca) {
        std::string bundle;
        if (!ExtraCaBundle(easy, ca, bundle, error)) return false;
        curl_blob blob{bundle.data(), bundle.size(), CURL_BLOB_COPY};
        curl_easy_setopt(easy, CURLOPT_CAINFO_BLOB, &blob);
    }
    return true;
}

} // namespace

void SetTransferIdleHandler(std::function<void()> Handler)
{
    std::lock_guard lock(gIdleMutex);
    gIdleHandler = std::move(Handler);
}

void CallTransferIdleHandler()
{
    std::function<void()> handler;
    {
        std::lock_guard lock(gIdleMutex);
        handler = gIdleHandler;
    }
    if (handler) handler();
}

const TTransferLimits& TransferLimits() { return gLimits; }
void SetTransferLimits(const TTransferLimits& Limits) { gLimits = Limits; }

const std::string& LastTransferError() { return gLastError; }
void SetLastTransferError(std::string Error) { gLastError = std::move(Error); }

bool Transfer(const TTransferRequest& Request, std::string& Error)
{
    Error.clear();
    InitCurlOnce();
    // Declared before the handles, which refer to them until cleaned up.
    TPartFile part(Request.FileName);
    if (!part.Ok()) {
        Error = "cannot create a file beside " + Request.FileName;
        return false;
    }
    TContext context;
    context.Request = &Request;
    context.Part = &part;
    char errorBuffer[CURL_ERROR_SIZE] = {};
    curl_slist* rawHeaders = nullptr;
    std::unique_ptr<curl_slist, TSlistDeleter> headers;

    std::unique_ptr<CURL, TEasyDeleter> easy(curl_easy_init());
    std::unique_ptr<CURLM, TMultiDeleter> multi(curl_multi_init());
    if (!easy || !multi) {
        Error = "cannot start the HTTP client";
        return false;
    }
    context.Easy = easy.get();
    const bool configured = Configure(easy.get(), Request, context, rawHeaders, errorBuffer, Error);
    headers.reset(rawHeaders);
    if (!configured) return false;

    // The multi interface on this thread: libcurl never blocks for longer
    // than the wait below, so the idle handler keeps the window painting
    // and the stall check runs even while the server sends nothing.
    if (curl_multi_add_handle(multi.get(), easy.get()) != CURLM_OK) {
        Error = "cannot start the HTTP client";
        return false;
    }
    struct TRemove {
        CURLM* m;
        CURL* e;
        ~TRemove() { curl_multi_remove_handle(m, e); }
    } remove{multi.get(), easy.get()};

    const TClock::time_point start = TClock::now();
    context.LastData = start;
    TClock::time_point lastIdle = start;
    CallTransferIdleHandler();
    int running = 1;
    while (true) {
        if (const CURLMcode mc = curl_multi_perform(multi.get(), &running); mc != CURLM_OK) {
            Error = curl_multi_strerror(mc);
            return false;
        }
        if (context.Exception) std::rethrow_exception(context.Exception);
        if (!running) break;
        const TClock::time_point now = TClock::now();
        if (now - lastIdle >= std::chrono::milliseconds(kIdleIntervalMs)) {
            lastIdle = now;
            CallTransferIdleHandler();
        }
        // A server that sends nothing for this long is given up (connecting
        // has a shorter time-out of its own).
        if (TClock::now() - context.LastData >= std::chrono::milliseconds(gLimits.StallTimeoutMs)) {
            char text[96];
            std::snprintf(text, sizeof text, "no data received for %g seconds", gLimits.StallTimeoutMs / 1000.0);
            Error = text;
            return false;
        }
        if (const CURLMcode mc = curl_multi_poll(multi.get(), nullptr, 0, kIdleIntervalMs, nullptr); mc != CURLM_OK) {
            Error = curl_multi_strerror(mc);
            return false;
        }
    }

    CURLcode code = CURLE_OK;
    int pending = 0;
    while (CURLMsg* msg = curl_multi_info_read(multi.get(), &pending))
        if (msg->msg == CURLMSG_DONE && msg->easy_handle == easy.get()) code = msg->data.result;
    if (code != CURLE_OK) {
        if (!context.Error.empty()) Error = context.Error;
        else if (code == CURLE_FILESIZE_EXCEEDED)
            Error = "the answer is larger than " + std::to_string(Request.MaxBytes) + " bytes";
        else Error = CurlFailure(easy.get(), code, errorBuffer);
        return false;
    }
    long status = 0;
    curl_easy_getinfo(easy.get(), CURLINFO_RESPONSE_CODE, &status);
    if (status < 200 || status > 299) {
        Error = "HTTP status " + std::to_string(status);
        return false;
    }
    Begin(context); // an empty body
    if (!part.Commit()) {
        Error = "cannot write " + Request.FileName;
        return false;
    }
    return true;
}

} // namespace qv
