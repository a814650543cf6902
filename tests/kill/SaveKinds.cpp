#include "kill/SaveKinds.h"

#include "app/DataFolder.h"
#include "base/TStringList.h"
#include "exercises/ExerciseKinds.h"
#include "exercises/ExercisePaths.h"
#include "exercises/TExerciseDocument.h"
#include "game/GameRecorder.h"
#include "game/TopTenTable.h"
#include "help/TMiniBrowser.h"
#include "session/GameSettings.h"
#include "menus/LastUser.h"
#include "platform/Files.h"
#include "resources/FileHelpers.h"
#include "resources/LittleEndian.h"
#include "resources/StringTable.h"
#include "session/Session.h"
#include "users/TDataFile.h"

#include <cstdio>
#include <set>

namespace {

std::string Number(long n)
{
    return std::to_string(n);
}

// A profile's settings record, different for every step.
GameSettings::Bytes Payload(long n)
{
    GameSettings::Bytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(n * 31 + static_cast<long>(i));
    return bytes;
}

void Store(const std::string& name, long n)
{
    TDataFile data(GameSettings::kSize);
    data.StoreUser(name.c_str(), Payload(n).data());
}

// One record for the child, as a game would append it.
void Record(const std::string& name, int kind, const std::string& text, int& records, const Appended& appended)
{
    TDataFile data(GameSettings::kSize);
    data.SelectUser(name.c_str());
    data.RecordText(kind, text.c_str());
    appended(++records);
}

// Odd steps add a child, even ones change the settings of an older one.
void StoreStep(long n, const Appended&)
{
    long child = n % 2 ? n : 2 * ((n * 7 / 2) % (n / 2)) + 1;
    Store("Bimbo " + Number(child), n);
}

// A child comes, plays, and is deleted with their results; the next one
// gets the deleted child's id, so results left behind would become theirs.
// "Resta" plays in between and must keep every result.
void DeleteStep(long n, const Appended& appended)
{
    long round = (n - 1) / 3;
    std::string child = "Via " + Number(round);
    int records = 0;
    switch (n % 3) {
    case 1:
        Store(child, n);
        Record(child, logkind::kLevel, "Livello " + Number(round), records, appended);
        Record(child, logkind::kHit, "casa", records, appended);
        break;
    case 2:
        Store("Resta", 1);
        Record("Resta", logkind::kHit, "mare " + Number(round), records, appended);
        break;
    default:
        TDataFile(GameSettings::kSize).DeleteUser(child.c_str());
    }
}

// Three children play in turn; every fourth step one of them has their
// results deleted (the teacher's F9), the others' staying.
void PurgeStep(long n, const Appended& appended)
{
    static const char* const children[] = {"Anna", "Bruno", "Carla"};
    int records = 0;
    if (n % 4 == 0) {
        TDataFile(GameSettings::kSize).PurgeEvents(children[(n / 4) % 3]);
        return;
    }
    std::string child = children[n % 4 - 1];
    Store(child, 2);
    Record(child, logkind::kShown, "parola " + Number(n), records, appended);
}

// A whole game, record by record, as the game screen drives the recorder.
void GameStep(long n, const Appended& appended)
{
    GameSettings settings;
    std::snprintf(settings.exerciseName, sizeof settings.exerciseName, "Esercizio %ld", n % 3);
    std::string child = "Gioco " + Number(n % 3);
    int records = 3;  // the date, the time and the settings
    GameRecorder game(child.c_str(), settings);
    appended(records);
    auto next = [&] { appended(++records); };
    game.LevelStarted("Livello " + Number(n));
    next();
    for (const char* word : {"casa", "mare", "sole"}) {
        game.Shown(word + (" " + Number(n)));
        next();
        // Two keys a word for the statistics: one wrong, one right.
        game.Key('X', KeyAim{0, word[0], false});
        game.Key(word[0], KeyAim{0, word[0], true});
        game.Mistyped("cx");
        next();
        game.Hit(word + (" " + Number(n)));
        next();
    }
    game.LifeLost(3);
    next();
    game.Bonus(n % 2 == 0);
    next();
    game.Completed();
    next();
    game.ContextClosed();
    next();
}

// A new score, entered where it belongs, as the top-ten dialog saves it.
// Each beats the one before, so that every save changes the table.
void TopTenStep(long n, const Appended&)
{
    TopTenTable table;
    table.Open(TopTenPath());
    auto score = static_cast<std::uint32_t>(n * 10 + n % 7);
    int row = table.Rank(score);
    if (row <= TopTenTable::kEntries)
        table.Insert(row, ("Campione " + Number(n)).c_str(), score);
    table.Save(TopTenPath());
}

void LastUserStep(long n, const Appended&)
{
    std::snprintf(theSession.userName, sizeof theSession.userName, "Bimba %ld", n);
    theSession.settings = GameSettings();
    theSession.settings.lanes = 1 + static_cast<int>(n % 3);
    std::snprintf(theSession.settings.exerciseName, sizeof theSession.settings.exerciseName, "Esercizio %ld", n);
    WriteLastUser();
}

std::string SavedTextPath()
{
    return SavedTextFolder() + "\\Risultati.txt";
}

// A child's results kept as text (the results browser's Salva).
void TextStep(long n, const Appended&)
{
    MakeFolder(SavedTextFolder().c_str());
    TStringList lines;
    for (long i = 0; i <= n % 9; ++i)
        lines.AppendText(("Riga " + Number(i) + " del testo " + Number(n) + std::string(static_cast<std::size_t>(n % 40), '.')).c_str());
    lines.WriteLines(SavedTextPath().c_str());
}

std::string ExerciseFile()
{
    return ExercisePath(exercise::kLevels, "Prova");
}

// The editor opens the exercise, adds a level or changes one, and saves.
void ExerciseStep(long n, const Appended&)
{
    EnsureExerciseFolders();
    TExerciseDocument document;
    document.Load(ExerciseFile().c_str());
    document.SetHeader("Esercizio " + Number(n));
    auto* level = new TStringList;
    long words = 1 + n % 6;
    level->AppendText("");
    level->AppendText(Number(words).c_str());
    level->AppendText(("Livello " + Number(n)).c_str());
    for (long w = 0; w < words; ++w)
        level->AppendText(("parola" + Number(n) + "x" + Number(w)).c_str());
    if (document.LevelCount() < 5) {
        document.Levels().Append(level);
    } else {
        int at = static_cast<int>(n % 5);
        document.Levels().InsertAfter(document.Levels().At(at), level);
        document.Levels().Remove(document.Levels().At(at));
    }
    document.Save(ExerciseFile().c_str(), exercise::kLevels);
}

std::string Bytes(const std::string& path)
{
    std::vector<unsigned char> bytes;
    if (!platform::FileExists(path) || !platform::ReadWholeFile(path, bytes))
        return "<missing>";
    return std::string(bytes.begin(), bytes.end());
}

std::string Hash(const unsigned char* data, std::size_t size)
{
    std::uint32_t h = 2166136261u;
    for (std::size_t i = 0; i < size; ++i)
        h = (h ^ data[i]) * 16777619u;
    return Number(static_cast<long>(h));
}

void LookAtRegistryAndResults(FolderView& view)
{
    TDataFile data(GameSettings::kSize);
    view.files["USERS.ANA"] = Bytes(data.RegistryPath());
    std::string profiles;
    std::set<std::int32_t> ids;
    for (TElement* e = data.First(); e; e = e->Next()) {
        std::int32_t id = TDataFile::IdOf(e);
        profiles += std::string(TDataFile::NameOf(e)) + " id " + Number(id) + " settings " +
                    Hash(e->Data() + TDataFile::kHeader, GameSettings::kSize) + "\n";
        if (id == 0 || !ids.insert(id).second)
            view.fault += "the id " + Number(id) + " is 0 or given twice\n";
        std::vector<std::string>& results = view.results[TDataFile::NameOf(e)];
        data.ExportReport(TDataFile::NameOf(e).c_str(), [&](int kind, const unsigned char* d, int size, int) {
            bool timeOfDay = kind == logkind::kDate || kind == logkind::kTime;
            results.push_back(Number(kind) + ": " + (timeOfDay ? Number(size) + " bytes" : std::string(d, d + size)));
            return std::string();
        }, 1);
    }
    view.files["USERS.ANA as read"] = profiles;

    // Every whole record must be some child's; what follows them is torn.
    std::vector<unsigned char> log;
    if (!platform::ReadWholeFile(data.LogPath(), log) || log.size() < 4)
        return;
    std::size_t at = 4;
    while (at + 12 <= log.size()) {
        auto user = static_cast<std::int32_t>(GetLE32(log.data() + at));
        auto size = static_cast<std::int32_t>(GetLE32(log.data() + at + 8));
        if (user == 0 || size < 0 || static_cast<std::size_t>(size) > log.size() - at - 12)
            break;
        if (!ids.count(user))
            view.fault += "a record of id " + Number(user) + ", which no child has\n";
        at += 12 + static_cast<std::size_t>(size);
    }
    view.tail.assign(log.begin() + static_cast<long>(at), log.end());
}

void LookAtTopTen(FolderView& view)
{
    // A missing table reads as an empty one, 240 zero bytes, which is what
    // opening it first writes.
    std::string bytes = Bytes(TopTenPath());
    view.files["top ten"] = bytes == "<missing>" ? std::string(TopTenTable::kFileSize, '\0') : bytes;
    TopTenTable table;
    if (bytes != "<missing>")
        table.Open(TopTenPath());
    std::string rows;
    for (const TopTenEntry& e : table.entries)
        rows += std::string(e.name) + " " + Number(static_cast<long>(e.score)) + "\n";
    view.files["top ten as read"] = rows;
}

void LookAtLastUser(FolderView& view)
{
    std::snprintf(theSession.userName, sizeof theSession.userName, "%s", "?");
    theSession.settings = GameSettings();
    ReadLastUser();
    GameSettings::Bytes settings = theSession.settings.Encode();
    view.files["last user as read"] = std::string(theSession.userName) + " " + Hash(settings.data(), settings.size());
    view.files["last user"] = Bytes(theDataPrefix + GetString(3, 5));
}

void LookAtTexts(FolderView& view)
{
    std::string text = view.files["saved text"] = Bytes(SavedTextPath());
    TStringList lines;
    if (text != "<missing>" && lines.ReadLines(SavedTextPath().c_str()))
        view.files["saved text as read"] = lines.ToCrLfText();

    std::string exercise = view.files["exercise"] = Bytes(ExerciseFile());
    if (exercise == "<missing>")
        return;
    TExerciseDocument document;
    std::string read = "error " + Number(document.Load(ExerciseFile().c_str())) + "\n" + document.Header() + "\n";
    for (int i = 0; i < document.LevelCount(); ++i)
        read += document.Level(i)->ToCrLfText();
    view.files["exercise as read"] = read;
}

}  // namespace

const std::vector<SaveKind>& SaveKinds()
{
    static const std::vector<SaveKind> kinds = {
        {"profile", StoreStep},   {"delete", DeleteStep},     {"game", GameStep},   {"purge", PurgeStep},
        {"topten", TopTenStep},   {"lastuser", LastUserStep}, {"text", TextStep},   {"exercise", ExerciseStep},
    };
    return kinds;
}

const SaveKind* FindSaveKind(const std::string& name)
{
    for (const SaveKind& kind : SaveKinds())
        if (name == kind.name)
            return &kind;
    return nullptr;
}

FolderView LookAtFolder()
{
    FolderView view;
    LookAtRegistryAndResults(view);
    LookAtTopTen(view);
    LookAtLastUser(view);
    LookAtTexts(view);
    return view;
}
