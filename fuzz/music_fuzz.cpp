// The music modules on hostile bytes: a file holding the input is loaded
// as the program loads its music (by the mixer, which reads it as a module),
// started and stopped, with the mixer open on SDL's silent audio driver.

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
    SetMusicEnabled(true);
    const std::string path = fuzz::ScratchFolder("music") + "musica.xm";
    fuzz::WriteBytes(path, bytes, size);
    LoadMusic(path.c_str());
    FadeInMusic();
    FreeMusic();
    return 0;
}
