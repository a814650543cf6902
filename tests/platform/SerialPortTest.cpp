// Serial ports as switch boxes: where "COMn" lives on Linux, and which
// device files are refused because they cannot carry a switch.

#include "platform/SerialPort.h"
#include "support/TempFolder.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

using platform::SerialDevicePath;

TEST(SerialPortTest, ComPortsAreTtySOrElseTtyUsb)
{
    TempFolder dev;
    // Neither exists: the USB adapter's name, for the open to fail on.
    EXPECT_EQ(SerialDevicePath("COM1", dev.Path()), dev / "ttyUSB0");
    dev.Write("ttyUSB1", "");
    EXPECT_EQ(SerialDevicePath("COM2", dev.Path()), dev / "ttyUSB1");
    dev.Write("ttyS1", "");
    EXPECT_EQ(SerialDevicePath("COM2", dev.Path()), dev / "ttyS1");
    EXPECT_EQ(SerialDevicePath("COM4", dev.Path()), dev / "ttyUSB3");
    for (const char* wrong : {"COM0", "COM", "LPT1", "COM1a", ""})
        EXPECT_EQ(SerialDevicePath(wrong, dev.Path()), "") << wrong;
}

TEST(SerialPortTest, OnlyACharacterDeviceWithModemLinesIsAPort)
{
    TempFolder dev;
    dev.Write("ttyS0", "not a device");
    EXPECT_EQ(platform::OpenSerialDevice(dev / "ttyS0"), nullptr) << "a plain file";
    EXPECT_EQ(platform::OpenSerialDevice(dev / "ttyS9"), nullptr) << "nothing there";
    EXPECT_EQ(platform::OpenSerialDevice("/dev/null"), nullptr) << "a character device without modem lines";

    // A pseudo-terminal opens like a port but has no modem lines.
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const char* slave = ptsname(master);
    ASSERT_NE(slave, nullptr);
    EXPECT_EQ(platform::OpenSerialDevice(slave), nullptr);
    close(master);
}

TEST(SerialPortTest, TheOpenerCanBeReplacedAndPutBack)
{
    int asked = 0;
    platform::SetSerialPortOpener([&](const std::string& name) -> std::unique_ptr<platform::SerialPort> {
        EXPECT_EQ(name, "COM2");
        ++asked;
        return nullptr;
    });
    EXPECT_EQ(platform::OpenSerialPort("COM2"), nullptr);
    EXPECT_EQ(asked, 1);
    platform::SetSerialPortOpener(nullptr);
    EXPECT_EQ(platform::OpenSerialPort("LPT1"), nullptr);  // the real opener: no such port name
    EXPECT_EQ(asked, 1);
}
