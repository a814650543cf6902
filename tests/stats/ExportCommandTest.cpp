// "quoli --esporta DIR" from a terminal: the statistics' files written with
// no window, exit status 0; a message and a non-zero status when it cannot.

#include "stats/StatsStore.h"
#include "support/DataFolderFixture.h"
#include "support/Shell.h"
#include "support/StatsGames.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct ExportCommandTest : DataFolderFixture {
    void SetUp() override
    {
        DataFolderFixture::SetUp();
        std::filesystem::copy_file(std::string(QUOLI_STAGE_DIR) + "/quoli.str", folder / "quoli.str");
    }
    ShellRun Quoli(const std::string& arguments) const
    {
        // No display: the export must not need one.
        return RunShell("cd '" + folder.Path() + "' && env -u DISPLAY SDL_VIDEODRIVER=dummy '" +
                        std::string(QUOLI_STAGE_DIR) + "/quoli' " + arguments);
    }
};

}  // namespace

TEST_F(ExportCommandTest, WritesTheFilesAndSaysWhere)
{
    {
        stats::StatsStore store;
        WriteGame(store, {1, "Anna", 1000, 10, 2, 'A', 'S', 60000, {Word("casa", stats::WordEnd::kHit)}});
    }
    ShellRun run = Quoli("--esporta 'la mia cartella'");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("la mia cartella"), std::string::npos) << run.output;
    std::string games = folder.Read("la mia cartella/partite.csv");
    EXPECT_EQ(games.rfind("\xEF\xBB\xBF" "bambino;data;ora;esercizio;tipo;livelli;parole colpite;parole cadute;tasti;"
                          "tasti sbagliati;precisione %;parole al minuto;punti;esito\r\n",
                          0),
              0u)
        << games;
    EXPECT_NE(games.find("\r\nAnna;"), std::string::npos);
    EXPECT_NE(folder.Read("la mia cartella/lettere.csv").find("\r\nAnna;A;10;2;S\r\n"), std::string::npos);
    EXPECT_NE(folder.Read("la mia cartella/classe.csv").find("\r\nAnna;"), std::string::npos);
}

TEST_F(ExportCommandTest, FailsWithAMessageWhenItCannot)
{
    ShellRun none = Quoli("--esporta");
    EXPECT_NE(none.status, 0);
    EXPECT_NE(none.output.find("--esporta"), std::string::npos) << none.output;
    folder.Write("a file", "not a folder");
    ShellRun blocked = Quoli("--esporta 'a file'");
    EXPECT_NE(blocked.status, 0);
    EXPECT_NE(blocked.output.find("a file"), std::string::npos) << blocked.output;
    EXPECT_EQ(folder.Read("a file"), "not a folder");
}
