#include "app/Sound.h"

namespace {

SoundEffect* volatile slots[kMixChannels] = {};
bool mixerOpen = false;
bool effectsEnabled = true;

void ClearSlots()
{
    for (auto& slot : slots)
        slot = nullptr;
}

// Runs on the mixer's thread: it only touches the slots.
void ChannelFinished(int channel)
{
    if (channel < 0 || channel >= kMixChannels)
        return;
    SoundEffect* finished = slots[channel];
    SoundEffect* next = finished ? finished->next : nullptr;
    slots[channel] = next;
    if (next && next->sample)
        Mix_PlayChannel(channel, next->sample, 0);
}

}  // namespace

int OpenAudio(int frequency, Uint16 format, int channels)
{
    ClearSlots();
    int result = Mix_OpenAudio(frequency, format, channels, 1024);
    mixerOpen = result >= 0;
    if (mixerOpen) {
        Mix_AllocateChannels(kMixChannels);
        Mix_ChannelFinished(ChannelFinished);
    }
    return result;
}

void CloseAudio()
{
    if (!mixerOpen)
        return;
    if (effectsEnabled) {
        Mix_HaltChannel(-1);
        ClearSlots();
    }
    Mix_CloseAudio();
    mixerOpen = false;
}

bool AudioOpen()
{
    return mixerOpen;
}

void SetEffectsEnabled(bool on)
{
    effectsEnabled = on;
}

bool EffectsEnabled()
{
    return effectsEnabled;
}

void StopAllEffects()
{
    if (!mixerOpen || !effectsEnabled)
        return;
    Mix_HaltChannel(-1);
    ClearSlots();
}

void PauseEffects()
{
    if (mixerOpen && effectsEnabled)
        Mix_Pause(0);
}

void ResumeEffects()
{
    if (mixerOpen && effectsEnabled)
        Mix_Resume(0);
}

SoundEffect* ChannelEffect(int channel)
{
    return (channel >= 0 && channel < kMixChannels) ? slots[channel] : nullptr;
}

void SetChannelEffect(int channel, SoundEffect* effect)
{
    if (channel >= 0 && channel < kMixChannels)
        slots[channel] = effect;
}
