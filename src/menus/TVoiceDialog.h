#pragma once
// The voice's choices for the current child: words said as they appear
// and when hit, letters said as typed, the volume, and what the scan mark
// says to a child with switches. Bound to the session's voice choices, so a
// change counts at once; all greyed, with a line saying why, when the
// voice cannot speak.

#include "ui/TDialog.h"

class TVoiceDialog : public TDialog {
public:
    TVoiceDialog();
    void HandleEvent(TEvent& event) override;
    // The line that says why the voice cannot speak; empty when it can.
    static const char* Unavailable();
};
