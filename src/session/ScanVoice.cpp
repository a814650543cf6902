#include "session/ScanVoice.h"

#include "app/Voice.h"
#include "session/Session.h"

void SayScanMark(const std::string& label)
{
    int scan = theSession.voice.scan;
    if (scan == VoiceSettings::kScanSilent || !voice::Ready())
        return;
    voice::SetVolume(theSession.voice.volume);
    if (scan == VoiceSettings::kScanBeep || label.empty())
        voice::Beep();
    else
        voice::Say(label);
}
