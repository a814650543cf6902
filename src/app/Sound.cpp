#include "app/Sound.h"

#include "app/Voice.h"

#include "base/FatalError.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "resources/Archives.h"
#include "resources/TJoinFile.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

SoundEffect* volatile slots[kMixChannels] = {};
bool mixerOpen = false;
bool effectsEnabled = true;

struct MusicFree {
    void operator()(Mix_Music* m) const { Mix_FreeMusic(m); }
};

bool musicEnabled = true;
using MusicPtr = std::unique_ptr<Mix_Music, MusicFree>;
MusicPtr music;
// A module let go while it fades out. The mixer's free waits for the end of
// a fade (and so would a new module's start): it is kept, still fading,
// until the mixer has stopped it or another module must begin.
MusicPtr fadingMusic;

void ReleaseFadingMusic(bool haltFirst)
{
    if (!fadingMusic)
        return;
    if (haltFirst)
        Mix_HaltMusic();
    if (!Mix_PlayingMusic())
        fadingMusic.reset();
}

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
        Mix_PlayChannel(channel, next->sample.get(), 0);
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
    ReleaseFadingMusic(true);
    music.reset();
    if (effectsEnabled) {
        Mix_HaltChannel(-1);
        ClearSlots();
    }
    // The voice's chunks belong to this mixer.
    voice::Forget();
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

namespace {

std::unique_ptr<TJoinFile> effectsArchive;
std::unique_ptr<SoundEffect> currentEffect;

}  // namespace

namespace {

std::uint32_t Le32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

bool IsPlainWave(const unsigned char* data, std::size_t size)
{
    if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
        return false;
    bool format = false;
    for (std::size_t at = 12; at + 8 <= size;) {
        std::uint32_t length = Le32(data + at + 4);
        if (length > size - at - 8)
            return false;
        const unsigned char* body = data + at + 8;
        if (std::memcmp(data + at, "fmt ", 4) == 0) {
            if (length < 16)
                return false;
            unsigned tag = body[0] | (body[1] << 8), channels = body[2] | (body[3] << 8);
            std::uint32_t rate = Le32(body + 4);
            unsigned bits = body[14] | (body[15] << 8);
            format = tag == 1 && (channels == 1 || channels == 2) && rate >= 8000 && rate <= 48000 &&
                     (bits == 8 || bits == 16);
            if (!format)
                return false;
        } else if (std::memcmp(data + at, "data", 4) == 0) {
            return format;
        }
        at += 8 + length + (length & 1);
    }
    return false;
}

bool IsModuleFile(const char* path)
{
    platform::FilePtr file = platform::OpenFile(path ? path : "", "rb");
    unsigned char head[17] = {};
    return file && std::fread(head, 1, sizeof head, file.get()) == sizeof head &&
           std::memcmp(head, "Extended Module: ", 17) == 0;
}

void LoadEffect(SoundEffect& effect, TJoinFile& archive, int type, int number)
{
    effect.error.clear();
    effect.next = nullptr;
    effect.channel = 0;
    effect.sample.reset();
    TJoinElement* item = archive.LoadItem(type, number);
    if (item) {
        // Only what the program's own effects are: the library's converter
        // overruns its buffers on rates and formats far from the mixer's.
        if (IsPlainWave(item->Data(), item->DataLength())) {
            SDL_RWops* rw = SDL_RWFromConstMem(item->Data(), static_cast<int>(item->DataLength()));
            effect.sample.reset(rw ? Mix_LoadWAV_RW(rw, 1) : nullptr);
        } else {
            Mix_SetError("not a PCM sound of 8 or 16 bits at 8000 to 48000 Hz");
        }
        TJoinFile::Release(item);
    }
    if (!effect.sample) {
        const char* why = Mix_GetError();
        effect.error = (why && *why) ? why : "missing effect";
    }
}

void PlayEffect(SoundEffect& effect)
{
    if (!effect.error.empty() || !mixerOpen || !effectsEnabled || !effect.sample)
        return;
    slots[effect.channel] = &effect;
    Mix_PlayChannel(effect.channel, effect.sample.get(), 0);
}

void FreeEffect(SoundEffect& effect)
{
    effect.next = nullptr;
    if (mixerOpen && effectsEnabled) {
        Mix_HaltChannel(effect.channel);
        slots[effect.channel] = nullptr;
    }
    effect.error.clear();
    effect.sample.reset();
}

void OpenEffects(bool effectsOn, bool musicOn)
{
    if (mixerOpen)
        Mix_VolumeMusic(50);
    effectsArchive = std::make_unique<TJoinFile>("effects.bin");
    if (effectsArchive->LoadDirectory() == 0)
        FatalError("Can't load resources:", "effects.bin");
    theEffectsArchive = effectsArchive.get();
    effectsEnabled = effectsOn;
    musicEnabled = musicOn;
    currentEffect.reset();
}

namespace {
EffectNumber lastEffectNumber = {-1, -1};
}

EffectNumber LastEffectNumber()
{
    return lastEffectNumber;
}

void PlayEffectNumber(int type, int number)
{
    lastEffectNumber = {type, number};
    if (currentEffect)
        FreeEffect(*currentEffect);
    if (!effectsArchive)
        return;
    currentEffect = std::make_unique<SoundEffect>();
    LoadEffect(*currentEffect, *effectsArchive, type, number);
    PlayEffect(*currentEffect);
}

void CloseEffects()
{
    if (currentEffect)
        FreeEffect(*currentEffect);
    currentEffect.reset();
    theEffectsArchive = nullptr;
    effectsArchive.reset();
}

void LoadMusic(const char* path)
{
    FreeMusic();
    ReleaseFadingMusic(true);
    // The program's music is XM modules: nothing else goes to the mixer's
    // decoders (one that fails to recognise a file also leaks it).
    if (mixerOpen && path && IsModuleFile(path))
        music.reset(Mix_LoadMUS(platform::NativePath(path).c_str()));
}

void FreeMusic()
{
    if (mixerOpen) {
        ReleaseFadingMusic(false);
        if (music && Mix_FadingMusic() == MIX_FADING_OUT && !fadingMusic) {
            fadingMusic = std::move(music);
            return;
        }
    }
    music.reset();
}

bool MusicFading()
{
    if (mixerOpen)
        ReleaseFadingMusic(false);
    return fadingMusic != nullptr;
}

void FadeInMusic()
{
    if (musicEnabled && music)
        Mix_FadeInMusic(music.get(), -1, 1000);
}

void FadeOutMusic()
{
    if (musicEnabled && mixerOpen)
        Mix_FadeOutMusic(2000);
}

void PauseMusic()
{
    if (musicEnabled && mixerOpen)
        Mix_PauseMusic();
}

void ResumeMusic()
{
    if (musicEnabled && mixerOpen)
        Mix_ResumeMusic();
}

void SetMusicEnabled(bool on)
{
    musicEnabled = on;
}

bool MusicLoaded()
{
    return music != nullptr;
}

void ResetSound()
{
    CloseEffects();
    if (!mixerOpen) {
        fadingMusic.reset();
        music.reset();
    }
    effectsEnabled = true;
    musicEnabled = true;
    lastEffectNumber = {-1, -1};
}
