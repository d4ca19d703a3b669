#pragma once
// What the fuzz targets share: a scratch file through which every input
// reaches the loaders as a real file. Each target catches the loader's
// messages (truncation and newer-version warnings) with a TMessageCollector
// per input, so that nothing is printed and nothing blocks.
#include "core/Messages.h"

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

TScratchFile* gScratch = nullptr;

void Cleanup()
{
    delete gScratch;
    gScratch = nullptr;
}

// Creates the scratch file (call once from LLVMFuzzerInitialize).
void SetUpFuzzing()
{
    gScratch = new TScratchFile;
    std::atexit(Cleanup);
}

} // namespace
