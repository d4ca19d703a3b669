#pragma once
// The HTTP client under the version check and the download: one GET over
// libcurl into a file, with the proxy of ProxyServer.ini, bounded in time
// and size, on the calling thread. UpdateCheck.h is what the program uses;
// this header adds the failure reason for the command line and the limits
// that tests shorten.
#include <cstdint>
#include <functional>
#include <string>

namespace qv {

// How long a transfer may wait and how much it may receive.
struct TTransferLimits {
    int64_t ConnectTimeoutMs = 10'000;           // to reach the server (or the proxy)
    int64_t StallTimeoutMs = 30'000;             // without receiving a byte, once connected
    int64_t VersionFileMaxBytes = 64 * 1024;     // FetchToFile
    int64_t SetupFileMaxBytes = int64_t(1) << 30; // DownloadToFile
};
const TTransferLimits& TransferLimits();
// For tests: short time-outs and small caps. Not for use while a transfer runs.
void SetTransferLimits(const TTransferLimits& Limits);

struct TTransferRequest {
    std::string Url;
    std::string FileName;
    int64_t MaxBytes = 0;
    bool IdentifyProgram = false; // the user agent and the X-VELK headers
    // Progress of the body; OnBegin once, before the first OnProgress (also
    // for an empty body), with the announced length or 0.
    std::function<void(int64_t Total)> OnBegin;
    std::function<void(int64_t Done)> OnProgress;
};

// GETs the URL into FileName: the body goes to a temporary file in the same
// folder that replaces FileName only when the transfer succeeded. On failure
// FileName is as it was, and Error says why (curl's error text, "HTTP status
// 404", "the answer is larger than 65536 bytes", ...).
bool Transfer(const TTransferRequest& Request, std::string& Error);

// The idle handler of SetTransferIdleHandler, called by Transfer.
void CallTransferIdleHandler();

// The failure reason of the last FetchToFile/DownloadToFile on this thread
// (empty after a success).
const std::string& LastTransferError();
void SetLastTransferError(std::string Error);

} // namespace qv
