#include "devices/SessionDevice.h"

#include "devices/TExtDevice.h"
#include "ui/TDialog.h"

#include <cstdio>

namespace sessiondevice {

namespace {

TExtDevice device;
DeviceSettings opened;
bool isOpen = false;
bool standingAside = false;

bool SameSource(const DeviceSettings& a, const DeviceSettings& b)
{
    return a.kind == b.kind && a.switches == b.switches && a.directions == b.directions && a.port == b.port &&
           a.acceptance == b.acceptance && a.scanInterval == b.scanInterval;
}

void Shut()
{
    if (isOpen)
        device.Close();
    isOpen = false;
    theDeviceNavigation = false;
}

}  // namespace

bool Follow(const DeviceSettings& settings)
{
    if (standingAside || !settings.enabled) {
        Shut();
        return false;
    }
    if (!isOpen || !SameSource(settings, opened)) {
        device.Open(settings);
        opened = settings;
        isOpen = true;
        if (device.Error())
            std::fprintf(stderr, "switch device: cannot open source %d (error %d)\n", settings.kind, device.Error());
    }
    theDeviceNavigation = device.Error() == 0;
    return theDeviceNavigation;
}

void Poll(const DeviceSettings& settings, TEvent& event)
{
    if (Follow(settings))
        device.Poll(event);
}

void StandAside(bool aside)
{
    standingAside = aside;
    if (aside)
        Shut();
}

bool Active()
{
    return isOpen && !device.Error() && !standingAside;
}

void Reset()
{
    Shut();
    standingAside = false;
}

}  // namespace sessiondevice
