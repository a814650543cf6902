#pragma once
// A character device (a serial port) opened by this program alone: two
// programs reading one switch box would each miss presses. The terminal's
// exclusive mode refuses other opens, and an flock on it refuses programs
// that lock before they use a port (root passes the first, not the second).

#include <string>

namespace platform {

class ExclusiveDevice {
public:
    // Not open when the device is absent, not a character device, or in
    // use by another program.
    explicit ExclusiveDevice(const std::string& path);
    ~ExclusiveDevice();
    ExclusiveDevice(const ExclusiveDevice&) = delete;
    ExclusiveDevice& operator=(const ExclusiveDevice&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    int Fd() const { return fd_; }

private:
    int fd_ = -1;
};

}  // namespace platform
