// The data tools, run as a build would run them.

#include "resources/StringTable.h"
#include "resources/TJoinFile.h"
#include "support/Shell.h"
#include "support/TempFolder.h"

#include "SDL.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string Archive(const std::string& args)
{
    return std::string(QUOLI_ARCHIVE_TOOL) + " " + args;
}

std::string Strings(const std::string& args)
{
    return std::string(QUOLI_STRINGS_TOOL) + " " + args;
}

}  // namespace

TEST(ArchiveToolTest, BuiltArchiveListsAndExtractsTheSameBytes)
{
    TempFolder folder;
    std::mt19937 random(3);
    std::string flat(5000, '\x07');
    std::string noise;
    for (int i = 0; i < 3000; ++i)
        noise.push_back(static_cast<char>(random()));
    folder.Write("flat.bin", flat);
    folder.Write("noise.bin", noise);
    folder.Write("empty.bin", "");
    folder.Write("list.manifest",
                 "# test archive\n"
                 "2 0 palette  flat.bin\n"
                 "5 1 font0    noise.bin\n"
                 "5 2 font1    empty.bin\n"
                 "6 9 fourteenchars1 flat.bin\n");
    ShellRun built = RunShell(Archive("build -o " + (folder / "out.bin") + " " + (folder / "list.manifest")));
    ASSERT_EQ(built.status, 0) << built.output;

    TJoinFile archive(folder / "out.bin");
    ASSERT_EQ(archive.LoadDirectory(), 4);
    EXPECT_NE(archive.Entry(0)->packedSize, 0u);  // runs pack smaller
    EXPECT_EQ(archive.Entry(1)->packedSize, 0u);  // noise does not: stored raw
    EXPECT_EQ(archive.Entry(3)->tag, 9);
    EXPECT_STREQ(archive.Entry(3)->name, "fourteenchars1");

    const char* expected[] = {"flat.bin", "noise.bin", "empty.bin", "flat.bin"};
    for (int i = 0; i < 4; ++i) {
        std::string out = folder / ("x" + std::to_string(i));
        ShellRun extracted = RunShell(Archive("extract " + (folder / "out.bin") + " " + std::to_string(i) + " " + out));
        ASSERT_EQ(extracted.status, 0) << extracted.output;
        EXPECT_EQ(ReadBinaryFile(out), folder.Read(expected[i])) << i;
    }
    ShellRun listed = RunShell(Archive("list " + (folder / "out.bin")));
    ASSERT_EQ(listed.status, 0);
    EXPECT_NE(listed.output.find("font1"), std::string::npos);
    EXPECT_NE(listed.output.find("    5      1"), std::string::npos) << listed.output;
}

TEST(ArchiveToolTest, RefusesBadManifests)
{
    TempFolder folder;
    folder.Write("a.bin", "a");
    struct Case {
        const char* manifest;
        const char* message;
    } cases[] = {
        {"1 0 fifteen_chars__ a.bin\n", "longer than 14"},
        {"1 0 name missing.bin\n", "cannot read source"},
        {"1 0 name\n", "expected"},
        {"x 0 name a.bin\n", "numbers"},
        {"1 0 a a.bin\n2 0 b a.bin\n1 0 c a.bin\n", "split"},
    };
    for (const Case& c : cases) {
        folder.Write("bad.manifest", c.manifest);
        ShellRun run = RunShell(Archive("build -o " + (folder / "bad.bin") + " " + (folder / "bad.manifest")));
        EXPECT_NE(run.status, 0) << c.manifest;
        EXPECT_NE(run.output.find("bad.manifest:"), std::string::npos) << run.output;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
    }
}

TEST(StringsToolTest, CompiledTableListsBackAndRecompilesIdentically)
{
    TempFolder folder;
    folder.Write("a.txt",
                 "# section 0\n"
                 "0/1\tQuoli\n"
                 "0/100\tCome ti chiami?\n"
                 "3/3\tDATA\\TOP10.DAT\n"
                 "50/53\tÈ già così: perché?\n"
                 "\tSeconda riga\n"
                 "7/2\t\n");
    folder.Write("b.txt", "1/10\tFine\r\n");
    ShellRun built = RunShell(Strings("build -o " + (folder / "t.str") + " " + (folder / "a.txt") + " " + (folder / "b.txt")));
    ASSERT_EQ(built.status, 0) << built.output;

    auto table = LoadStringTable(folder / "t.str");
    ASSERT_NE(table, nullptr);
    EXPECT_STREQ(table->Get(50, 53), "\xC8 gi\xE0 cos\xEC: perch\xE9?\nSeconda riga");
    EXPECT_STREQ(table->Get(3, 3), "DATA\\TOP10.DAT");
    EXPECT_STREQ(table->Get(1, 10), "Fine");
    EXPECT_EQ(table->Count(), 6u);

    ShellRun listed = RunShell(Strings("list " + (folder / "t.str")));
    ASSERT_EQ(listed.status, 0);
    folder.Write("listed.txt", listed.output);
    ShellRun again = RunShell(Strings("build -o " + (folder / "u.str") + " " + (folder / "listed.txt")));
    ASSERT_EQ(again.status, 0) << again.output;
    EXPECT_EQ(folder.Read("u.str"), folder.Read("t.str"));
}

TEST(StringsToolTest, RefusesBadSourcesNamingFileAndLine)
{
    TempFolder folder;
    struct Case {
        const char* source;
        const char* where;
        const char* message;
    } cases[] = {
        {"0/1\tuno\n0/2\tdue\n0/1\tancora\n", "s.txt:3:", "duplicate key 0/1"},
        {"0/1 senza tab\n", "s.txt:1:", "expected"},
        {"0-1\ttesto\n", "s.txt:1:", "expected"},
        {"70000/1\ttesto\n", "s.txt:1:", "expected"},
        {"0/1\tcosto 5 \xE2\x82\xAC\n", "s.txt:1:", "outside Latin-1"},
        {"\tnessun testo sopra\n", "s.txt:1:", "continuation"},
    };
    for (const Case& c : cases) {
        folder.Write("s.txt", c.source);
        ShellRun run = RunShell(Strings("build -o " + (folder / "s.str") + " " + (folder / "s.txt")));
        EXPECT_NE(run.status, 0) << c.source;
        EXPECT_NE(run.output.find(c.where), std::string::npos) << run.output;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
    }
}

TEST(StagedDataTest, StagedFilesAreValid)
{
    TJoinFile resources(std::string(QUOLI_STAGE_DIR) + "/resource.bin");
    EXPECT_GT(resources.LoadDirectory(), 0);
    TJoinFile effects(std::string(QUOLI_STAGE_DIR) + "/effects.bin");
    EXPECT_GT(effects.LoadDirectory(), 0);
    auto table = LoadStringTable(std::string(QUOLI_STAGE_DIR) + "/quoli.str");
    ASSERT_NE(table, nullptr);
    EXPECT_STRNE(table->Get(0, 1), "");
}

TEST(ContentToolsTest, RebuildTheSameBytesEveryTime)
{
    TempFolder folder;
    std::string assets = std::string(QUOLI_SOURCE_DIR) + "/assets";
    std::string fonts = " -F /usr/share/fonts/opentype/comic-neue -F /usr/share/fonts/truetype/dejavu ";
    struct Build {
        std::string command;  // with OUT where the output goes
    } builds[] = {
        {std::string(QUOLI_ART_TOOL) + " picture --scale 1.25 --format bmp8" + fonts + assets +
         "/art/title-creature.art OUT"},
        {std::string(QUOLI_ART_TOOL) + " picture --scale 1.6 --format bmp24" + fonts + assets + "/art/title-scene.art OUT"},
        {std::string(QUOLI_SOUND_TOOL) + " " + assets + "/sounds/space-hit.sfx OUT"},
        {std::string(QUOLI_MUSIC_TOOL) + " " + assets + "/music/quoli1.song OUT"},
        {std::string(QUOLI_BITMAPFONT_TOOL) + " /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf 13 OUT"},
    };
    for (const Build& build : builds) {
        std::string outputs[2];
        for (int run = 0; run < 2; ++run) {
            std::string path = folder / ("out" + std::to_string(run));
            std::string command = build.command;
            command.replace(command.find("OUT"), 3, path);
            ShellRun done = RunShell(command);
            ASSERT_EQ(done.status, 0) << command << "\n" << done.output;
            outputs[run] = ReadBinaryFile(path);
        }
        EXPECT_FALSE(outputs[0].empty()) << build.command;
        EXPECT_EQ(outputs[0], outputs[1]) << build.command;
    }
}

TEST(ContentToolsTest, SongMistakesAreReportedWithTheirLine)
{
    TempFolder folder;
    folder.Write("bad.song",
                 "instrument lead sine soft 40\n"
                 "channels lead\n"
                 "pattern p 16\n"
                 "lead: C4:8 H4:8\n"
                 "order p\n");
    ShellRun run = RunShell(std::string(QUOLI_MUSIC_TOOL) + " " + (folder / "bad.song") + " " + (folder / "out.xm"));
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.output.find("bad.song:4: bad note H4"), std::string::npos) << run.output;

    folder.Write("short.song",
                 "instrument lead sine soft 40\nchannels lead\npattern p 16\nlead: C4:8\norder p\n");
    run = RunShell(std::string(QUOLI_MUSIC_TOOL) + " " + (folder / "short.song") + " " + (folder / "out.xm"));
    EXPECT_NE(run.output.find("fills 8 of 16 rows"), std::string::npos) << run.output;
}

namespace {

// Draws a description at scale 1 as a 24-bit BMP and loads it.
SDL_Surface* DrawArt(TempFolder& folder, const std::string& description, std::string* errors = nullptr)
{
    folder.Write("picture.art", description);
    std::string out = folder / "picture.bmp";
    std::remove(out.c_str());
    ShellRun run = RunShell(std::string(QUOLI_ART_TOOL) + " picture --format bmp24 " + (folder / "picture.art") + " " +
                            out);
    if (errors)
        *errors = run.output;
    return run.status == 0 ? SDL_LoadBMP(out.c_str()) : nullptr;
}

bool White(SDL_Surface* s, int x, int y)
{
    Uint8 r, g, b;
    Uint8* p = static_cast<Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    Uint32 v = static_cast<Uint32>(p[0] | p[1] << 8 | p[2] << 16);
    SDL_GetRGB(v, s->format, &r, &g, &b);
    return r > 200 && g > 200 && b > 200;
}

}  // namespace

TEST(ArtToolTest, RotateAndStretchMoveWhatFollowsUntilReset)
{
    struct Case {
        const char* what;
        const char* drawing;  // white on black, 20 x 20
        std::vector<std::pair<int, int>> white, black;
    } cases[] = {
        {"a flat bar turned a quarter round its middle stands upright", "rotate 90 10 10\nrect 2 9 18 11\n",
         {{10, 3}, {10, 16}}, {{3, 10}}},
        {"stretched twice as wide from the left edge, then drawn as given after reset",
         "stretch 2 1 0 0\nrect 0 0 5 5\nreset\nrect 0 15 5 20\n", {{8, 2}, {2, 17}}, {{8, 17}}},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SDL_Surface* s =
            DrawArt(folder, std::string("size 20 20\nbackground #000000\nfill #ffffff\nline none\n") + c.drawing);
        ASSERT_TRUE(s);
        for (auto [x, y] : c.white)
            EXPECT_TRUE(White(s, x, y)) << x << "," << y;
        for (auto [x, y] : c.black)
            EXPECT_FALSE(White(s, x, y)) << x << "," << y;
        SDL_FreeSurface(s);
    }
}

TEST(ArtToolTest, IncludesAreReadBesideTheDescriptionAndCannotLoop)
{
    TempFolder folder;
    std::filesystem::create_directories(folder / "parts");
    folder.Write("parts/dot.art", "fill #ffffff\nline none\ncircle 5 5 3\n");
    SDL_Surface* s = DrawArt(folder, "size 10 10\nbackground #000000\ninclude parts/dot.art\n");
    ASSERT_TRUE(s);
    EXPECT_TRUE(White(s, 5, 5));
    EXPECT_FALSE(White(s, 0, 0));
    SDL_FreeSurface(s);

    std::string errors;
    EXPECT_FALSE(DrawArt(folder, "size 10 10\ninclude parts/none.art\n", &errors));
    EXPECT_NE(errors.find("picture.art:2: cannot read"), std::string::npos) << errors;

    folder.Write("parts/loop.art", "include loop.art\n");
    EXPECT_FALSE(DrawArt(folder, "size 10 10\ninclude parts/loop.art\n", &errors));
    EXPECT_NE(errors.find("nested too deeply"), std::string::npos) << errors;
}
