#pragma once
// The controls dialog: the teacher sets up a child's switch device (on or
// off, its source, one or two switches or one with directions, the serial
// port, the acceptance and scan times) and tries it in the test panel.
// Every control edits the current settings in place.

#include "ui/TDialog.h"

#include <cstdint>
#include <memory>

struct DeviceSettings;
class TExtDevice;
class TCustomSelector;
class TView;

class TControlDialog : public TDialog {
public:
    explicit TControlDialog(DeviceSettings& settings);
    ~TControlDialog() override;

    void Open() override;
    void Idle() override;
    void HandleEvent(TEvent& event) override;

    // 1 and 2: that many switches; 3: one switch and directions.
    int Mode() const { return mode_; }
    TCustomSelector* Kinds() const { return kinds_; }
    TCustomSelector* Modes() const { return modes_; }
    TCustomSelector* Ports() const { return ports_; }
    TView* ScanSlider() const { return scanSlider_; }
    TView* TestButton() const { return testButton_; }

private:
    // Enables each control as the settings allow; run at every idle step.
    void FollowSettings();
    void WriteMode();
    void StartTest();

    DeviceSettings& settings_;
    std::uint8_t enabled_ = 0;  // the check box's byte, copied to the settings
    int mode_ = 1;
    int kindSeen_ = 0, modeSeen_ = 0, modeWritten_ = 0;
    bool modeAvailable_[3] = {true, true, true};
    std::unique_ptr<TExtDevice> device_;  // while a test runs

    TCustomSelector* kinds_ = nullptr;
    TCustomSelector* modes_ = nullptr;
    TCustomSelector* ports_ = nullptr;
    TView* acceptance_[3] = {};  // label, slider, units
    TView* scan_[3] = {};
    TView* scanSlider_ = nullptr;
    TView* testButton_ = nullptr;
};
