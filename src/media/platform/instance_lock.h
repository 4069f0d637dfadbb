// SPDX-License-Identifier: GPL-3.0-or-later
// The single-copy rule: an advisory lock on a file named after the window
// title. The kernel drops it when the process ends, so a crash never blocks
// the next start.
#pragma once

#include <sys/types.h>

#include <string>

namespace media_detail {

// "<title>.lock" in $XDG_RUNTIME_DIR, else a per-user name in /tmp.
std::string InstanceLockPath(const std::string& title);

// The process id the holder wrote into the lock file, so a second copy can
// find the running one's window; 0 when the file holds none.
pid_t InstanceLockHolder(const std::string& path);

class InstanceLock {
public:
    InstanceLock() = default;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock() { Release(); }

    // False when another holder (another process, or another lock object)
    // has the file locked, or the file cannot be made. The holder writes its
    // process id into the file.
    bool Acquire(const std::string& path);
    void Release();
    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace media_detail
