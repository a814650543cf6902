// A serial port is ours alone while we hold it, so that no other program
// reads the same switch box; a pseudo-terminal stands in for the port.

#include "platform/ExclusiveDevice.h"
#include "support/Shell.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

class PseudoTerminal {
public:
    PseudoTerminal() : master_(posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC))
    {
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0 && ptsname(master_))
            slave_ = ptsname(master_);
    }
    ~PseudoTerminal()
    {
        if (master_ >= 0)
            close(master_);
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& Slave() const { return slave_; }

private:
    int master_;
    std::string slave_;
};

}  // namespace

TEST(ExclusiveDeviceTest, ADeviceInUseIsRefusedUntilItIsClosed)
{
    PseudoTerminal port;
    ASSERT_FALSE(port.Slave().empty());
    {
        platform::ExclusiveDevice first(port.Slave());
        ASSERT_TRUE(first.IsOpen());
        int exclusive = 0;
        ASSERT_EQ(ioctl(first.Fd(), TIOCGEXCL, &exclusive), 0);
        EXPECT_EQ(exclusive, 1) << "the terminal refuses other opens";
        EXPECT_FALSE(platform::ExclusiveDevice(port.Slave()).IsOpen()) << "a second user in this program";
        ShellRun other = RunShell("flock -n '" + port.Slave() + "' true");
        EXPECT_NE(other.status, 0) << "another program that locks the port first";
    }
    EXPECT_TRUE(platform::ExclusiveDevice(port.Slave()).IsOpen()) << "free again once closed";

    int held = open(port.Slave().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);
    EXPECT_FALSE(platform::ExclusiveDevice(port.Slave()).IsOpen()) << "a port another program holds";
    close(held);
}
