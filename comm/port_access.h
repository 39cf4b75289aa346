#pragma once
// Whether this user may open a serial device, and if not, why and what to
// do about it. Plain file rights: a device another program holds is found
// only by opening it (SerialLink).

#include <string>
#include <vector>

namespace kvtk {

// Who asks: the process's own identity, or a made-up one in tests.
struct PortUser {
    unsigned Uid = 0;
    std::string Name;
    std::vector<unsigned> Groups;  // of this login (the process)
    // Of the account as /etc/group has it now: a group added after the login
    // is here but not in Groups until the user logs in again.
    std::vector<unsigned> AccountGroups;
};

PortUser CurrentPortUser();

struct PortAccess {
    enum class Verdict { Allowed, Missing, Denied };
    Verdict Outcome = Verdict::Allowed;
    std::string Device;  // symlinks resolved
    std::string Owner;   // user and group that own the device
    std::string Group;
    bool GroupMayUse = false;       // joining Group would let the user in
    bool JoinedSinceLogin = false;  // already in Group, but not in this login

    bool Allowed() const { return Outcome == Verdict::Allowed; }
};

PortAccess CheckPortAccess(const std::string& path, const PortUser& user);
inline PortAccess CheckPortAccess(const std::string& path) {
    return CheckPortAccess(path, CurrentPortUser());
}

// Why the device cannot be opened and what fixes it, to follow "cannot open
// PORT: "; empty when it can be.
std::string PortAccessReason(const PortAccess& access, const PortUser& user);

}  // namespace kvtk
