#include "platform/SerialPort.h"

#include "platform/ExclusiveDevice.h"

#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cctype>
#include <utility>

namespace platform {

namespace {

class DevicePort : public SerialPort {
public:
    explicit DevicePort(std::unique_ptr<ExclusiveDevice> device) : device_(std::move(device)) {}

    bool RaiseRtsDtr() override
    {
        int bits = TIOCM_RTS | TIOCM_DTR;
        return ::ioctl(device_->Fd(), TIOCMBIS, &bits) == 0;
    }

    bool ReadModemLines(int& lines) override
    {
        int status = 0;
        if (::ioctl(device_->Fd(), TIOCMGET, &status) != 0)
            return false;
        lines = ((status & TIOCM_CTS) ? kCtsOn : 0) | ((status & TIOCM_DSR) ? kDsrOn : 0);
        return true;
    }

private:
    std::unique_ptr<ExclusiveDevice> device_;
};

SerialPortOpener& Opener()
{
    static SerialPortOpener opener;
    return opener;
}

bool Exists(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

}  // namespace

std::string SerialDevicePath(const std::string& comName, const std::string& devFolder)
{
    if (comName.size() < 4 || comName.compare(0, 3, "COM") != 0)
        return "";
    int number = 0;
    for (std::size_t i = 3; i < comName.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(comName[i])))
            return "";
        number = number * 10 + (comName[i] - '0');
    }
    if (number < 1)
        return "";
    std::string index = std::to_string(number - 1);
    std::string first = devFolder + "/ttyS" + index;
    if (Exists(first))
        return first;
    return devFolder + "/ttyUSB" + index;
}

std::unique_ptr<SerialPort> OpenSerialDevice(const std::string& path)
{
    auto device = std::make_unique<ExclusiveDevice>(path);
    int status = 0;
    // A port without modem lines (a pseudo-terminal, a plain file) cannot
    // read a switch: better the teacher hears of it than a dead switch.
    if (!device->IsOpen() || ::ioctl(device->Fd(), TIOCMGET, &status) != 0)
        return nullptr;
    return std::make_unique<DevicePort>(std::move(device));
}

std::unique_ptr<SerialPort> OpenSerialPort(const std::string& comName)
{
    if (Opener())
        return Opener()(comName);
    std::string path = SerialDevicePath(comName);
    return path.empty() ? nullptr : OpenSerialDevice(path);
}

void SetSerialPortOpener(SerialPortOpener opener)
{
    Opener() = std::move(opener);
}

}  // namespace platform
