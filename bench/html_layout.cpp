// Parse and layout time of the help pages and of generated pages of 0.25,
// 0.5 and 1 MB, at 800x600 on SDL's dummy video driver.
//
//   bench_html_layout PROGRAM_FOLDER

#include "app/TApp.h"
#include "gfx/Display.h"
#include "help/THTMLViewer.h"
#include "platform/Files.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Time(const char* what, const char* path)
{
    auto start = std::chrono::steady_clock::now();
    THTMLViewer viewer(10, 10, 780, 580, path, 0);
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-34s %8.1f ms  (%d pieces, %d px high)\n", what, ms, viewer.Pieces().Count(), viewer.DocumentHeight());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || chdir(argv[1]) != 0) {
        std::fprintf(stderr, "usage: bench_html_layout PROGRAM_FOLDER\n");
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SetResolution(1);
    TApp app("QUOLI", "resource.bin", "quoli.str");
    Time("Aiuto/menu.htm (largest page)", "Aiuto\\menu.htm");
    std::string paragraph = "<h2>Capitolo</h2><p align=\"justify\">Le parole cadono in una, due o tre corsie. "
                            "Scrivi le lettere della parola che vuoi <b>colpire</b>: non serve cancellare gli "
                            "errori.</p>\n<ul><li>Pausa</li><li>Esc</li></ul>\n";
    for (double mb : {0.25, 0.5, 1.0}) {
        std::string page;
        while (static_cast<double>(page.size()) < mb * 1024 * 1024)
            page += paragraph;
        platform::ReplaceFileContents("bench-page.htm", page.data(), page.size());
        char what[64];
        std::snprintf(what, sizeof what, "generated page of %.2f MB", mb);
        Time(what, "bench-page.htm");
    }
    std::remove("bench-page.htm");
    return 0;
}
