#pragma once
// A serial port used only for its modem-status lines: a switch box powered
// by RTS and DTR closes CTS or DSR. Ports are named as the teacher knows
// them ("COM1" to "COM4"); tests replace the opener with a fake port.

#include <functional>
#include <memory>
#include <string>

namespace platform {

// Modem-status bits as ReadModemLines reports them.
constexpr int kCtsOn = 0x10;
constexpr int kDsrOn = 0x20;

class SerialPort {
public:
    virtual ~SerialPort() = default;
    // Raises RTS and DTR; false when the port refuses.
    virtual bool RaiseRtsDtr() = 0;
    // The CTS and DSR bits now; false when they cannot be read.
    virtual bool ReadModemLines(int& lines) = 0;
};

// "COMn" as a device: /dev/ttyS(n-1), or /dev/ttyUSB(n-1) when the first
// does not exist under `devFolder`. Empty for a name that is not "COMn".
std::string SerialDevicePath(const std::string& comName, const std::string& devFolder = "/dev");
// Opens a device file as a switch box: null unless it is a character
// device that opens for reading and writing, is not in use by another
// program, and has modem lines. The port stays ours until it is closed.
std::unique_ptr<SerialPort> OpenSerialDevice(const std::string& path);

using SerialPortOpener = std::function<std::unique_ptr<SerialPort>(const std::string& comName)>;
// The port "COMn", through the opener in force; null when it cannot be used.
std::unique_ptr<SerialPort> OpenSerialPort(const std::string& comName);
// Replaces the opener (tests); an empty one puts the real ports back.
void SetSerialPortOpener(SerialPortOpener opener);

}  // namespace platform
