#include "platform/StartProgram.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>
#include <vector>

extern char** environ;

namespace qv {

bool StartProgram(const std::string& File, const std::string& Parameters)
{
    struct stat st {};
    if (File.empty() || stat(File.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    if (!(st.st_mode & S_IXUSR) && chmod(File.c_str(), (st.st_mode & 07777) | S_IXUSR) != 0) return false;

    std::vector<char*> argv{const_cast<char*>(File.c_str())};
    if (!Parameters.empty()) argv.push_back(const_cast<char*>(Parameters.c_str()));
    argv.push_back(nullptr);

    // A session of its own: closing the terminal the viewer was started
    // from must not end the setup program with it.
    posix_spawnattr_t attr;
    if (posix_spawnattr_init(&attr) != 0) return false;
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    // glibc's posix_spawn reports a failed exec (no such program, not an
    // executable format) as its result, so a start that did not happen is
    // never taken for one that did.
    const int error = posix_spawn(&pid, File.c_str(), nullptr, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    if (error != 0) return false;

    // Collect the child's exit status whenever it ends, so that a program
    // that goes on running (tests) does not keep a finished child as a
    // zombie. The thread waits for this one child only.
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

} // namespace qv
