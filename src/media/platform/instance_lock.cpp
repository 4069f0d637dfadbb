// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace media_detail {

std::string InstanceLockPath(const std::string& title) {
    std::string name;
    for (char c : title) name += (c == '/' || static_cast<unsigned char>(c) < 0x20) ? '_' : c;
    if (name.empty() || name == "." || name == "..") name = "media";
    const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
    if (runtimeDir && *runtimeDir && ::access(runtimeDir, W_OK) == 0)
        return std::string(runtimeDir) + "/" + name + ".lock";
    return "/tmp/" + name + "-" + std::to_string(::getuid()) + ".lock";
}

bool InstanceLock::Acquire(const std::string& path) {
    Release();
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    const std::string pid = std::to_string(::getpid()) + "\n";
    // Without the id a second copy only cannot show this one: no failure.
    if (::ftruncate(fd, 0) == 0) [[maybe_unused]] const ssize_t n = ::pwrite(fd, pid.data(), pid.size(), 0);
    return true;
}

pid_t InstanceLockHolder(const std::string& path) {
    std::ifstream in(path);
    long pid = 0;
    if (!(in >> pid) || pid <= 0 || pid > 0x3FFFFFFF) return 0;
    return static_cast<pid_t>(pid);
}

void InstanceLock::Release() {
    if (fd_ < 0) return;
    // The file stays: removing it could let a third copy lock a fresh file
    // while a second one still waits on the old.
    ::close(fd_);
    fd_ = -1;
}

}  // namespace media_detail
