// libFuzzer target for the file loaders. The first input byte chooses the
// reader (even: manifold file, odd: viewer file); the remaining bytes are
// written to a scratch file and loaded through the real file path, so that
// version detection, the buffered stream and every record reader see them
// exactly as they would see a file opened by the user.
#include "Manifolds.h"
#include "Messages.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Takes the loader's messages (truncation and newer-version warnings) without
// printing them: the fuzzer's output stays readable and nothing blocks.
class TQuietHandler : public qv::IMessageHandler {
public:
    void ShowMessage(qv::TMessageKind kind, const std::string& text) override
    {
        fMessages.push_back(text);
    }
    void Reset() { fMessages.clear(); }

private:
    std::vector<std::string> fMessages;
};

// A private folder for the scratch file, on tmpfs when there is one so the
// many small writes stay in memory.
class TScratchFile {
public:
    TScratchFile()
    {
        std::string base = "/dev/shm";
        if (::access(base.c_str(), W_OK) != 0) base = std::filesystem::temp_directory_path().string();
        std::string templ = base + "/qv-fuzz-XXXXXX";
        if (!::mkdtemp(templ.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        fDir = templ;
        fPath = fDir + "/input";
    }
    ~TScratchFile()
    {
        std::error_code ec;
        std::filesystem::remove_all(fDir, ec);
    }
    const std::string& Path() const { return fPath; }

    void Write(const uint8_t* data, size_t size) const
    {
        const int fd = ::open(fPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0) {
            std::perror("open scratch file");
            std::abort();
        }
        size_t done = 0;
        while (done < size) {
            const ssize_t n = ::write(fd, data + done, size - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                std::perror("write scratch file");
                std::abort();
            }
            done += static_cast<size_t>(n);
        }
        ::close(fd);
    }

private:
    std::string fDir;
    std::string fPath;
};

TQuietHandler* gHandler = nullptr;
TScratchFile* gScratch = nullptr;

void Cleanup()
{
    delete gScratch;
    gScratch = nullptr;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    gHandler = new TQuietHandler;
    qv::SetMessageHandler(gHandler);
    gScratch = new TScratchFile;
    std::atexit(Cleanup);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const bool viewer = (data[0] & 1) != 0;
    gScratch->Write(data + 1, size - 1);
    gHandler->Reset();

    // An exception escaping here (an input/output error on a plain readable
    // file, or anything a record reader throws) is a finding: libFuzzer
    // reports it as a crash.
    qv::TManifold manifold;
    if (viewer)
        manifold.LoadFromViewerFile(gScratch->Path());
    else
        manifold.LoadFromFile(gScratch->Path());
    return 0;
}
