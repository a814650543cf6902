#include "app/Voice.h"

#include "platform/Files.h"
#include "platform/Paths.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <unordered_map>

namespace voice {

namespace {

constexpr const char* kBeepText = "<bip>";

// The mixer's channel of its own: a new clip cuts the last one short.
class MixerOutput : public SpeechOutput {
public:
    void Play(const SpokenClip& clip, int volume) override
    {
        if (!AudioOpen() || !clip.chunk)
            return;
        Mix_HaltChannel(kVoiceChannel);
        Mix_Volume(kVoiceChannel, volume);
        Mix_PlayChannel(kVoiceChannel, clip.chunk.get(), 0);
    }
    void Stop() override
    {
        if (AudioOpen())
            Mix_HaltChannel(kVoiceChannel);
    }
};

MixerOutput mixerOutput;
SpeechOutput* output = nullptr;  // null: the mixer
std::string dataFolder;
int volumeTenths = 8;

// espeak-ng: started once in a process (it cannot be started again once
// ended), never ended before the process does.
enum class Engine { kNotStarted, kStarted, kFailed };
Engine engine = Engine::kNotStarted;
std::vector<std::int16_t>* collecting = nullptr;

int Collect(short* samples, int count, espeak_EVENT*)
{
    if (collecting && samples && count > 0)
        collecting->insert(collecting->end(), samples, samples + count);
    return 0;
}

bool DataFolderHasItalian(const std::string& folder)
{
    return platform::FileExists(folder + "\\phontab") && platform::FileExists(folder + "\\it_dict");
}

bool StartEngine()
{
    if (engine != Engine::kNotStarted)
        return engine == Engine::kStarted;
    engine = Engine::kFailed;
    std::string native = dataFolder.empty() ? std::string() : platform::NativePath(dataFolder);
    // Without its data the library would end the process unless told not to.
    int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, native.empty() ? nullptr : native.c_str(),
                                 espeakINITIALIZE_DONT_EXIT);
    if (rate != kSampleRate)
        return false;
    espeak_SetSynthCallback(Collect);
    if (espeak_SetVoiceByName("it") != EE_OK)
        return false;
    // A little slower than a grown-up's reading: these are children.
    espeak_SetParameter(espeakRATE, 140, 0);
    engine = Engine::kStarted;
    return true;
}

std::unordered_map<std::string, std::unique_ptr<SpokenClip>> kept;

SpeechOutput& Output()
{
    return output ? *output : mixerOutput;
}

// The samples as the mixer plays them (it was opened at 22050 Hz, 16-bit,
// mono, so usually they are the same).
std::vector<Uint8> ForMixer(const std::vector<std::int16_t>& samples)
{
    std::vector<Uint8> bytes(samples.size() * 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        auto v = static_cast<std::uint16_t>(samples[i]);
        bytes[2 * i] = static_cast<Uint8>(v & 0xFF);
        bytes[2 * i + 1] = static_cast<Uint8>(v >> 8);
    }
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    if (!AudioOpen() || !Mix_QuerySpec(&frequency, &format, &channels) ||
        (frequency == kSampleRate && format == AUDIO_S16LSB && channels == 1))
        return bytes;
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, AUDIO_S16LSB, 1, kSampleRate, format, static_cast<Uint8>(channels), frequency) < 0)
        return {};
    cvt.len = static_cast<int>(bytes.size());
    bytes.resize(bytes.size() * static_cast<std::size_t>(std::max(1, cvt.len_mult)));
    cvt.buf = bytes.data();
    if (SDL_ConvertAudio(&cvt) < 0)
        return {};
    bytes.resize(static_cast<std::size_t>(cvt.len_cvt));
    return bytes;
}

std::unique_ptr<SpokenClip> MakeClip(const std::string& text, const std::vector<std::int16_t>& samples)
{
    auto clip = std::make_unique<SpokenClip>();
    clip->text = text;
    clip->bytes = ForMixer(samples);
    clip->milliseconds = static_cast<std::uint32_t>(samples.size() * 1000 / kSampleRate);
    if (AudioOpen() && !clip->bytes.empty())
        clip->chunk.reset(Mix_QuickLoad_RAW(clip->bytes.data(), static_cast<Uint32>(clip->bytes.size())));
    return clip;
}

// A soft 80 ms tone at 880 Hz, faded in and out so that it does not click.
std::vector<std::int16_t> BeepSamples()
{
    constexpr int n = kSampleRate * 80 / 1000;
    std::vector<std::int16_t> samples(n);
    for (int i = 0; i < n; ++i) {
        double fade = std::min(1.0, std::min(i, n - 1 - i) / 200.0);
        samples[static_cast<std::size_t>(i)] =
            static_cast<std::int16_t>(9000.0 * fade * std::sin(2.0 * M_PI * 880.0 * i / kSampleRate));
    }
    return samples;
}

void PlayClip(const SpokenClip* clip)
{
    if (clip)
        Output().Play(*clip, volumeTenths * MIX_MAX_VOLUME / 10);
}

}  // namespace

Availability Status()
{
    if (!output && !AudioOpen())
        return Availability::kNoAudio;
    if (!dataFolder.empty() && !DataFolderHasItalian(dataFolder))
        return Availability::kNoVoiceData;
    return StartEngine() ? Availability::kReady : Availability::kNoVoiceData;
}

std::vector<std::int16_t> Synthesize(const std::string& text)
{
    std::vector<std::int16_t> samples;
    if (Status() != Availability::kReady || text.empty())
        return samples;
    std::string utf8 = platform::Latin1ToUtf8(text);
    collecting = &samples;
    espeak_Synth(utf8.c_str(), utf8.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8 | espeakPHONEMES, nullptr,
                 nullptr);
    collecting = nullptr;
    return samples;
}

const SpokenClip* Clip(const std::string& text)
{
    auto found = kept.find(text);
    if (found != kept.end())
        return found->second.get();
    if (!Ready())
        return nullptr;
    auto clip = MakeClip(text, text == kBeepText ? BeepSamples() : Synthesize(text));
    return kept.emplace(text, std::move(clip)).first->second.get();
}

bool Prepare(const std::string& text)
{
    if (Prepared(text))
        return false;
    return Clip(text) != nullptr;
}

bool Prepared(const std::string& text)
{
    return kept.count(text) != 0;
}

std::size_t KeptBytes()
{
    std::size_t bytes = 0;
    for (const auto& entry : kept)
        bytes += entry.second->bytes.size() + entry.first.size() + sizeof(SpokenClip);
    return bytes;
}

std::size_t KeptClips()
{
    return kept.size();
}

void Forget()
{
    Output().Stop();
    kept.clear();
}

void Say(const std::string& text)
{
    if (!text.empty())
        PlayClip(Clip(text));
}

void Beep()
{
    PlayClip(Clip(kBeepText));
}

void Stop()
{
    Output().Stop();
}

void SetVolume(int tenths)
{
    volumeTenths = std::clamp(tenths, 0, 10);
}

void SetOutput(SpeechOutput* newOutput)
{
    Output().Stop();
    // Chunks made for one output are no use to another.
    kept.clear();
    output = newOutput;
}

void UseDataFolder(const std::string& folder)
{
    dataFolder = folder;
}

void Reset()
{
    Forget();
    output = nullptr;
    dataFolder.clear();
    volumeTenths = 8;
}

}  // namespace voice
