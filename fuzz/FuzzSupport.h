#pragma once
// What the fuzz targets share: a quiet message handler and a scratch file
// through which every input reaches the loaders as a real file.
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

// Installs the quiet handler and creates the scratch file (call once from
// LLVMFuzzerInitialize).
void SetUpFuzzing()
{
    gHandler = new TQuietHandler;
    qv::SetMessageHandler(gHandler);
    gScratch = new TScratchFile;
    std::atexit(Cleanup);
}

} // namespace
