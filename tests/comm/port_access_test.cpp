// Whether a user may open a device, told from its rights as the kernel
// reads them, and the words that name the group and the fix.
#include "comm/port_access.h"

#include <gmock/gmock.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>

namespace kvtk {
namespace {

using ::testing::HasSubstr;

TEST(PortAccess, RightsDecideAndTheWordsNameTheGroupAndTheFix) {
    QTemporaryDir dir;
    const std::string device = dir.filePath(QStringLiteral("ttyUSB0")).toStdString();
    QFile file(QString::fromStdString(device));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const std::string link = dir.filePath(QStringLiteral("by-id")).toStdString();
    ASSERT_EQ(::symlink(device.c_str(), link.c_str()), 0);
    // Owned by someone other than root, who may open anything.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(device.c_str(), 4000, static_cast<gid_t>(-1)), 0);
    }
    struct stat info {};
    ASSERT_EQ(::stat(device.c_str(), &info), 0);
    const unsigned owner = info.st_uid;
    const unsigned group = info.st_gid;
    const std::string groupName = CheckPortAccess(device, {owner, "o", {}, {}}).Group;
    const unsigned stranger = owner + 4242;

    using V = PortAccess::Verdict;
    const struct {
        const char* what;
        mode_t mode;
        PortUser user;
        V verdict;
        std::string words;  // part of the reason; empty when allowed
    } cases[] = {
        {"member", 0660, {stranger, "tech", {group}, {group}}, V::Allowed, ""},
        {"not a member",
         0660,
         {stranger, "tech", {7}, {7}},
         V::Denied,
         "only members of the group " + groupName + " may open it. Run \"sudo usermod -aG " +
             groupName + " tech\", then log out and in again."},
        {"added after the login",
         0660,
         {stranger, "tech", {7}, {7, group}},
         V::Denied,
         "you were added to the group " + groupName +
             " after you logged in; log out and in again."},
        {"owner only", 0600, {stranger, "tech", {group}, {group}}, V::Denied, "only its owner"},
        {"the owner", 0600, {owner, "o", {}, {}}, V::Allowed, ""},
        // The owner's own bits count for the owner, whatever the group has.
        {"owner without rights", 0060, {owner, "o", {group}, {group}}, V::Denied, "only members"},
        {"read only for the group", 0640, {stranger, "tech", {group}, {group}}, V::Denied, ""},
        {"everyone", 0666, {stranger, "tech", {}, {}}, V::Allowed, ""},
        {"root", 0000, {0, "root", {}, {}}, V::Allowed, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(::chmod(device.c_str(), c.mode), 0);
        for (const std::string& name : {device, link}) {
            const PortAccess access = CheckPortAccess(name, c.user);
            EXPECT_EQ(access.Outcome, c.verdict);
            EXPECT_EQ(access.Device, device);  // the link resolved
            EXPECT_THAT(PortAccessReason(access, c.user), HasSubstr(c.words));
            EXPECT_EQ(PortAccessReason(access, c.user).empty(), c.verdict == V::Allowed);
        }
    }
    EXPECT_EQ(CheckPortAccess(device + "-gone", {stranger, "tech", {}, {}}).Outcome, V::Missing);

    // This process's own identity; root may open anything, so as root this
    // part cannot be told.
    ASSERT_EQ(::chmod(device.c_str(), 0000), 0);
    if (::geteuid() != 0) {
        EXPECT_EQ(CheckPortAccess(device).Outcome, V::Denied);
    }
}

}  // namespace
}  // namespace kvtk
