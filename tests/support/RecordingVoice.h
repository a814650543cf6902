#pragma once
// The voice's output replaced by a recorder: what was said, and when by the
// game clock, with the synthesiser still making every clip.

#include "app/Clock.h"
#include "app/Voice.h"

#include <string>
#include <vector>

struct RecordingVoice : SpeechOutput {
    struct Said {
        std::string text;
        std::uint32_t at;
        std::uint32_t ms;  // how long the clip lasts
    };
    std::vector<Said> said;
    int stops = 0;

    RecordingVoice() { voice::SetOutput(this); }
    ~RecordingVoice() override { voice::SetOutput(nullptr); }
    void Play(const SpokenClip& clip, int) override { said.push_back({clip.text, Now(), clip.milliseconds}); }
    void Stop() override { ++stops; }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const Said& s : said)
            texts.push_back(s.text);
        return texts;
    }
};
