// The sound effects on hostile bytes: an archive entry holding the input is
// loaded as the program loads its effects (a WAV read from memory and
// converted to the mixer's format), played on a channel and freed, with the
// mixer open on SDL's silent audio driver.

#include "FuzzArchive.h"
#include "FuzzScratch.h"
#include "app/Sound.h"

#include "SDL.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    static const bool mixer = [] {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        return SDL_Init(SDL_INIT_AUDIO) == 0 && OpenAudio(22050, AUDIO_S16LSB, 1) >= 0;
    }();
    FUZZ_CHECK(mixer);
    const std::string path = fuzz::ScratchFolder("sound_effect") + "effetti.bin";
    std::vector<unsigned char> archiveBytes = fuzz::ArchiveOf(bytes, size, 1, "effetto.wav");
    fuzz::WriteBytes(path, archiveBytes.data(), archiveBytes.size());
    TJoinFile archive(path);
    FUZZ_CHECK(archive.LoadDirectory() == 1);

    SoundEffect effect;
    effect.channel = static_cast<int>(size % 20);
    LoadEffect(effect, archive, 1, 0);
    FUZZ_CHECK(effect.sample != nullptr || !effect.error.empty());
    PlayEffect(effect);
    if (effect.sample)
        FUZZ_CHECK(effect.sample->alen % 2 == 0);  // whole 16-bit samples for the mixer
    FreeEffect(effect);
    return 0;
}
