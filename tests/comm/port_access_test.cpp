// Whether a user may open a device, told from its rights as the kernel reads
// them, and the words that name the group and the fix.
#include "comm/port_access.h"

#include <gmock/gmock.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>

namespace kvtk {
namespace {

TEST(PortAccess, RightsDecideAndTheWordsNameTheGroupAndTheFix) {
    QTemporaryDir dir;
    const std::string device = dir.filePath(QStringLiteral("ttyUSB0")).toStdString();
    const std::string link = device + "-by-id";
    ASSERT_TRUE(QFile(QString::fromStdString(device)).open(QIODevice::WriteOnly));
    ASSERT_EQ(::symlink(device.c_str(), link.c_str()), 0);
    // Owned by someone other than root, who may open anything.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(device.c_str(), 4000, static_cast<gid_t>(-1)), 0);
    }
    struct stat info {};
    ASSERT_EQ(::stat(device.c_str(), &info), 0);
    const unsigned owner = info.st_uid, group = info.st_gid, other = owner + 4242;
    const std::string g = CheckPortAccess(device, {owner, "o", {}, {}}).Group;
    const struct {
        mode_t mode;
        PortUser user;
        std::string reason;  // empty: allowed
    } cases[] = {
        {0660, {other, "tech", {group}, {group}}, ""},
        {0660,
         {other, "tech", {7}, {7}},
         "only members of the group " + g + " may open it. Run \"sudo usermod -aG " + g +
             " tech\", then log out and in again."},
        {0660,
         {other, "tech", {7}, {7, group}},
         "you were added to the group " + g + " after you logged in; log out and in again."},
        {0600, {other, "tech", {group}, {group}}, "only its owner, "},
        {0600, {owner, "o", {}, {}}, ""},
        {0060, {owner, "o", {group}, {group}}, "only members"},  // the owner's bits for the owner
        {0640, {other, "tech", {group}, {group}}, "only its owner, "},  // the group may only read
        {0666, {other, "tech", {}, {}}, ""},
        {0000, {0, "root", {}, {}}, ""},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(::chmod(device.c_str(), c.mode), 0);
        for (const std::string& name : {device, link}) {
            SCOPED_TRACE(name + " " + std::to_string(c.mode) + " " + std::to_string(c.user.Uid));
            const PortAccess access = CheckPortAccess(name, c.user);
            EXPECT_EQ(access.Allowed(), c.reason.empty());
            EXPECT_EQ(access.Device, device);
            EXPECT_EQ(PortAccessReason(access, c.user).substr(0, c.reason.size()), c.reason);
            EXPECT_EQ(PortAccessReason(access, c.user).empty(), c.reason.empty());
        }
    }
    EXPECT_EQ(CheckPortAccess(device + "-gone", {other, "tech", {}, {}}).Outcome,
              PortAccess::Verdict::Missing);
    // This process's own identity; as root this part cannot be told.
    ASSERT_EQ(::chmod(device.c_str(), 0000), 0);
    if (::geteuid() != 0) {
        EXPECT_FALSE(CheckPortAccess(device).Allowed());
    }
}

}  // namespace
}  // namespace kvtk
