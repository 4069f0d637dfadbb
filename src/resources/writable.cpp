// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/writable.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace {

bool InGroup(gid_t group) {
    if (group == ::getegid()) return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0) return false;
    std::vector<gid_t> groups(static_cast<size_t>(count));
    const int got = ::getgroups(count, groups.data());
    return got > 0 && std::find(groups.begin(), groups.begin() + got, group) != groups.begin() + got;
}

}  // namespace

bool WritableByMode(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    struct statvfs volume {};
    if (::statvfs(path.c_str(), &volume) == 0 && (volume.f_flag & ST_RDONLY) != 0) return false;
    const uid_t user = ::geteuid();
    mode_t bit = S_IWOTH;
    if (info.st_uid == user)
        bit = S_IWUSR;
    else if (InGroup(info.st_gid))
        bit = S_IWGRP;
    if ((info.st_mode & bit) == 0) return false;
    return user == 0 || ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}
