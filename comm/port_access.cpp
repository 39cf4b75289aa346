#include "comm/port_access.h"

#include <algorithm>

#ifndef _WIN32
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#endif

namespace kvtk {
namespace {

#ifndef _WIN32
bool Holds(const std::vector<unsigned>& groups, unsigned gid) {
    return std::find(groups.begin(), groups.end(), gid) != groups.end();
}

std::string GroupName(gid_t gid) {
    if (const group* entry = ::getgrgid(gid)) return entry->gr_name;
    return std::to_string(gid);
}

std::string UserName(uid_t uid) {
    if (const passwd* entry = ::getpwuid(uid)) return entry->pw_name;
    return std::to_string(uid);
}

std::string RealPath(const std::string& path) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return path;
    return resolved;
}
#endif

}  // namespace

PortUser CurrentPortUser() {
    PortUser user;
#ifndef _WIN32
    user.Uid = ::geteuid();
    user.Name = UserName(user.Uid);
    user.Groups.push_back(::getegid());
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<size_t>(std::max(count, 0)));
    if (count > 0 && ::getgroups(count, groups.data()) == count)
        user.Groups.insert(user.Groups.end(), groups.begin(), groups.end());
    if (const passwd* entry = ::getpwuid(user.Uid)) {
        int found = 64;
        std::vector<gid_t> account(static_cast<size_t>(found));
        if (::getgrouplist(entry->pw_name, entry->pw_gid, account.data(), &found) < 0) {
            account.resize(static_cast<size_t>(found));
            ::getgrouplist(entry->pw_name, entry->pw_gid, account.data(), &found);
        }
        account.resize(static_cast<size_t>(std::max(found, 0)));
        user.AccountGroups.assign(account.begin(), account.end());
    }
#endif
    return user;
}

PortAccess CheckPortAccess([[maybe_unused]] const std::string& path,
                           [[maybe_unused]] const PortUser& user) {
    PortAccess access;
#ifndef _WIN32
    access.Device = RealPath(path);
    struct stat info {};
    if (::stat(access.Device.c_str(), &info) != 0) {
        access.Outcome = PortAccess::Verdict::Missing;
        return access;
    }
    access.Owner = UserName(info.st_uid);
    access.Group = GroupName(info.st_gid);
    constexpr mode_t kGroupRw = S_IRGRP | S_IWGRP;
    access.GroupMayUse = (info.st_mode & kGroupRw) == kGroupRw;
    // The kernel's own order: the owner's bits for the owner, else the
    // group's for a member, else the others'.
    mode_t needed = S_IROTH | S_IWOTH;
    if (user.Uid == info.st_uid)
        needed = S_IRUSR | S_IWUSR;
    else if (Holds(user.Groups, info.st_gid))
        needed = kGroupRw;
    const bool allowed = user.Uid == 0 || (info.st_mode & needed) == needed;
    if (allowed) return access;
    access.Outcome = PortAccess::Verdict::Denied;
    access.JoinedSinceLogin =
        !Holds(user.Groups, info.st_gid) && Holds(user.AccountGroups, info.st_gid);
#endif
    return access;
}

std::string PortAccessReason(const PortAccess& access, const PortUser& user) {
    switch (access.Outcome) {
        case PortAccess::Verdict::Allowed:
            return {};
        case PortAccess::Verdict::Missing:
            return "there is no such device.";
        case PortAccess::Verdict::Denied:
            break;
    }
    if (!access.GroupMayUse)
        return "only its owner, " + access.Owner + ", may open it; ask the administrator.";
    if (access.JoinedSinceLogin)
        return "you were added to the group " + access.Group +
               " after you logged in; log out and in again.";
    return "only members of the group " + access.Group + " may open it. Run \"sudo usermod -aG " +
           access.Group + " " + user.Name + "\", then log out and in again.";
}

}  // namespace kvtk
