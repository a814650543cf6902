#include "stats/StatsStore.h"

#include "app/DataFolder.h"
#include "app/DataProblems.h"
#include "platform/Files.h"
#include "platform/LocalTime.h"
#include "platform/Paths.h"
#include "resources/StringTable.h"

#include <sqlite3.h>

#include <algorithm>

namespace stats {

namespace {

// "QUOL" in the database header: a file without it is not ours.
constexpr int kApplicationId = 0x51554F4C;
constexpr int kSchemaVersion = 1;

const char* const kSchema =
    "CREATE TABLE IF NOT EXISTS children(id INTEGER PRIMARY KEY, name TEXT NOT NULL);"
    "CREATE TABLE IF NOT EXISTS games(id INTEGER PRIMARY KEY, child INTEGER NOT NULL, started INTEGER NOT NULL,"
    " ended INTEGER NOT NULL DEFAULT 0, play_ms INTEGER NOT NULL DEFAULT 0, exercise TEXT NOT NULL,"
    " kind INTEGER NOT NULL, theme INTEGER NOT NULL, lanes INTEGER NOT NULL, fall_s INTEGER NOT NULL,"
    " spawn_s INTEGER NOT NULL, start_level INTEGER NOT NULL, levels INTEGER NOT NULL DEFAULT 0,"
    " score INTEGER NOT NULL DEFAULT 0, lives_lost INTEGER NOT NULL DEFAULT 0, outcome INTEGER NOT NULL DEFAULT 0,"
    " words_hit INTEGER NOT NULL DEFAULT 0, words_fallen INTEGER NOT NULL DEFAULT 0,"
    " keys INTEGER NOT NULL DEFAULT 0, keys_wrong INTEGER NOT NULL DEFAULT 0);"
    "CREATE INDEX IF NOT EXISTS games_of_child ON games(child, started);"
    "CREATE TABLE IF NOT EXISTS words(id INTEGER PRIMARY KEY, game INTEGER NOT NULL, level INTEGER NOT NULL,"
    " word TEXT NOT NULL, hidden TEXT NOT NULL, lane INTEGER NOT NULL, shown_ms INTEGER NOT NULL,"
    " ended_ms INTEGER NOT NULL, outcome INTEGER NOT NULL, typed TEXT NOT NULL,"
    " wrong_keys INTEGER NOT NULL DEFAULT 0);"
    "CREATE INDEX IF NOT EXISTS words_of_game ON words(game);"
    "CREATE TABLE IF NOT EXISTS keys(game INTEGER NOT NULL, word INTEGER, at_ms INTEGER NOT NULL,"
    " key TEXT NOT NULL, expected TEXT, right INTEGER NOT NULL);"
    "CREATE INDEX IF NOT EXISTS keys_of_game ON keys(game);";

// Beside the statistics, created in any database of ours that lacks them:
// the voice choices of each child, and which games were dictations.
const char* const kVoiceSchema =
    "CREATE TABLE IF NOT EXISTS voice_options(child INTEGER PRIMARY KEY, on_appear INTEGER NOT NULL,"
    " on_hit INTEGER NOT NULL, letters INTEGER NOT NULL, dictation INTEGER NOT NULL, volume INTEGER NOT NULL,"
    " scan INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS dictation_games(game INTEGER PRIMARY KEY);";

bool Damaged(int code)
{
    code &= 0xFF;
    return code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
}

std::string Utf8(char c)
{
    return platform::Latin1ToUtf8(std::string(1, c));
}

}  // namespace

Statement::Statement(sqlite3* db, const char* sql)
{
    if (db && sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK)
        stmt_ = nullptr;
}

Statement::~Statement()
{
    sqlite3_finalize(stmt_);
}

Statement& Statement::Bind(int index, long long value)
{
    sqlite3_bind_int64(stmt_, index, value);
    return *this;
}

Statement& Statement::Bind(int index, const std::string& text)
{
    sqlite3_bind_text(stmt_, index, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::BindNull(int index)
{
    sqlite3_bind_null(stmt_, index);
    return *this;
}

bool Statement::Row()
{
    if (!stmt_)
        return false;
    last_ = sqlite3_step(stmt_);
    return last_ == SQLITE_ROW;
}

bool Statement::Run()
{
    while (Row()) {
    }
    return stmt_ && last_ == SQLITE_DONE;
}

void Statement::Reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

long long Statement::Int(int column) const
{
    return sqlite3_column_int64(stmt_, column);
}

double Statement::Real(int column) const
{
    return sqlite3_column_double(stmt_, column);
}

std::string Statement::Text(int column) const
{
    const unsigned char* text = sqlite3_column_text(stmt_, column);
    return text ? std::string(reinterpret_cast<const char*>(text)) : std::string();
}

bool Statement::IsNull(int column) const
{
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

std::string StatsStore::DefaultPath()
{
    return theDataPrefix + "DATA\\STATS.DB";
}

StatsStore::StatsStore(const std::string& programPath) : path_(programPath)
{
    std::size_t slash = path_.find_last_of('\\');
    if (slash != std::string::npos && !platform::IsDirectory(path_.substr(0, slash)))
        platform::MakeDirectory(path_.substr(0, slash));
    Open(true);
}

StatsStore::~StatsStore()
{
    sqlite3_close(db_);
}

bool StatsStore::Exec(const char* sql)
{
    return db_ && sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool StatsStore::Open(bool mayMoveAside)
{
    // No link is followed: the data folder may be shared by every account.
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOFOLLOW;
    if (sqlite3_open_v2(platform::NativePath(path_).c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        sqlite3_close(db_);
        db_ = nullptr;
        return false;
    }
    sqlite3_busy_timeout(db_, kBusyMs);
    // A deleted child's rows are wiped from the file, not only unlinked.
    Exec("PRAGMA secure_delete=ON");
    int id = -1, version = -1, tables = -1;
    bool readable = false;
    {
        Statement appId(db_, "PRAGMA application_id");
        Statement userVersion(db_, "PRAGMA user_version");
        Statement count(db_, "SELECT count(*) FROM sqlite_master");
        if (appId.Ok() && userVersion.Ok() && count.Ok() && appId.Row() && userVersion.Row() && count.Row()) {
            id = static_cast<int>(appId.Int(0));
            version = static_cast<int>(userVersion.Int(0));
            tables = static_cast<int>(count.Int(0));
            readable = true;
        } else {
            readable = !Damaged(sqlite3_errcode(db_)) && sqlite3_errcode(db_) != SQLITE_OK;
            if (readable) {
                // Busy or unreadable for now: left as it is.
                sqlite3_close(db_);
                db_ = nullptr;
                return false;
            }
        }
    }
    bool ours = readable && id == kApplicationId && version == kSchemaVersion;
    bool fresh = readable && id == 0 && tables == 0;
    if (!ours && !fresh) {
        sqlite3_close(db_);
        db_ = nullptr;
        return mayMoveAside && MoveAside() && Open(false);
    }
    if (fresh) {
        // Two copies making it at once: the second finds it made.
        if (!Exec("BEGIN IMMEDIATE"))
            return false;
        std::string set = "PRAGMA application_id=" + std::to_string(kApplicationId) +
                          ";PRAGMA user_version=" + std::to_string(kSchemaVersion) + ";";
        if (!Exec(kSchema) || !Exec(set.c_str()) || !Exec("COMMIT")) {
            Exec("ROLLBACK");
            sqlite3_close(db_);
            db_ = nullptr;
            return false;
        }
    }
    Exec(kVoiceSchema);
    return true;
}

bool StatsStore::MoveAside()
{
    std::string start = path_.substr(0, path_.size() - 3) + "-" + platform::FileStamp();
    std::string aside = start + ".DB";
    for (int n = 2; platform::FileExists(aside); ++n)
        aside = start + "-" + std::to_string(n) + ".DB";
    if (!platform::RenameFile(path_, aside, platform::Trust::kShared))
        return false;
    // A journal left beside it belongs to it, not to the new file.
    if (platform::FileExists(path_ + "-journal"))
        platform::RenameFile(path_ + "-journal", aside + "-journal", platform::Trust::kShared);
    ReportDataProblem(std::string(GetString(14, 40)) + " " + FileNameOf(aside));
    return true;
}

long long StatsStore::StartGame(const GameInfo& info)
{
    if (!db_ || !Exec("BEGIN IMMEDIATE"))
        return 0;
    Statement child(db_, "INSERT INTO children(id, name) VALUES(?1, ?2) ON CONFLICT(id) DO UPDATE SET name=?2");
    Statement game(db_,
                   "INSERT INTO games(child, started, exercise, kind, theme, lanes, fall_s, spawn_s, start_level)"
                   " VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
    bool ok = child.Bind(1, info.childId).Bind(2, platform::Latin1ToUtf8(info.childName)).Run() &&
              game.Bind(1, info.childId)
                  .Bind(2, info.started)
                  .Bind(3, platform::Latin1ToUtf8(info.exercise))
                  .Bind(4, info.kind)
                  .Bind(5, info.theme)
                  .Bind(6, info.lanes)
                  .Bind(7, info.fallSeconds)
                  .Bind(8, info.spawnSeconds)
                  .Bind(9, info.startLevel)
                  .Run();
    long long id = ok ? sqlite3_last_insert_rowid(db_) : 0;
    if (!ok || !Exec("COMMIT")) {
        Exec("ROLLBACK");
        return 0;
    }
    return id;
}

bool StatsStore::SaveLevel(long long game, const std::vector<WordRecord>& words, const std::vector<KeyRecord>& keys,
                           const GameFigures& figures)
{
    if (!db_ || game == 0 || !Exec("BEGIN IMMEDIATE"))
        return false;
    bool ok = true;
    std::vector<long long> wordIds;
    int hit = 0, fallen = 0, wrong = 0;
    {
        Statement word(db_,
                       "INSERT INTO words(game, level, word, hidden, lane, shown_ms, ended_ms, outcome, typed, wrong_keys)"
                       " VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)");
        std::vector<int> wrongOf(words.size(), 0);
        for (const KeyRecord& k : keys)
            if (!k.right && k.word >= 0 && static_cast<std::size_t>(k.word) < words.size())
                ++wrongOf[static_cast<std::size_t>(k.word)];
        for (std::size_t i = 0; i < words.size(); ++i) {
            const WordRecord& w = words[i];
            ok = ok && word.Bind(1, game)
                           .Bind(2, w.level)
                           .Bind(3, platform::Latin1ToUtf8(w.word))
                           .Bind(4, platform::Latin1ToUtf8(w.hidden))
                           .Bind(5, w.lane)
                           .Bind(6, w.shownMs)
                           .Bind(7, w.endedMs)
                           .Bind(8, static_cast<int>(w.end))
                           .Bind(9, platform::Latin1ToUtf8(w.typed))
                           .Bind(10, wrongOf[i])
                           .Run();
            word.Reset();
            wordIds.push_back(sqlite3_last_insert_rowid(db_));
            hit += w.end == WordEnd::kHit;
            fallen += w.end == WordEnd::kFallen;
        }
        Statement key(db_, "INSERT INTO keys(game, word, at_ms, key, expected, right) VALUES(?1, ?2, ?3, ?4, ?5, ?6)");
        for (const KeyRecord& k : keys) {
            key.Bind(1, game);
            if (k.word >= 0 && static_cast<std::size_t>(k.word) < wordIds.size())
                key.Bind(2, wordIds[static_cast<std::size_t>(k.word)]);
            else
                key.BindNull(2);
            key.Bind(3, k.atMs).Bind(4, Utf8(k.key));
            if (k.expected)
                key.Bind(5, Utf8(k.expected));
            else
                key.BindNull(5);
            ok = ok && key.Bind(6, k.right ? 1 : 0).Run();
            key.Reset();
            wrong += !k.right;
        }
        Statement update(db_,
                         "UPDATE games SET ended=?2, play_ms=?3, levels=?4, score=?5, lives_lost=?6, outcome=?7,"
                         " words_hit=words_hit+?8, words_fallen=words_fallen+?9, keys=keys+?10,"
                         " keys_wrong=keys_wrong+?11 WHERE id=?1");
        ok = ok && update.Bind(1, game)
                       .Bind(2, figures.ended)
                       .Bind(3, figures.playMs)
                       .Bind(4, figures.levels)
                       .Bind(5, figures.score)
                       .Bind(6, figures.livesLost)
                       .Bind(7, static_cast<int>(figures.end))
                       .Bind(8, hit)
                       .Bind(9, fallen)
                       .Bind(10, static_cast<long long>(keys.size()))
                       .Bind(11, wrong)
                       .Run();
    }
    if (!ok || !Exec("COMMIT")) {
        Exec("ROLLBACK");
        return false;
    }
    return true;
}

bool StatsStore::DeleteChild(int childId)
{
    if (!db_ || !Exec("BEGIN IMMEDIATE"))
        return false;
    // A database made before the voice has no voice tables yet.
    Exec(kVoiceSchema);
    const char* sql[] = {"DELETE FROM keys WHERE game IN (SELECT id FROM games WHERE child=?1)",
                         "DELETE FROM dictation_games WHERE game IN (SELECT id FROM games WHERE child=?1)",
                         "DELETE FROM voice_options WHERE child=?1",
                         "DELETE FROM words WHERE game IN (SELECT id FROM games WHERE child=?1)",
                         "DELETE FROM games WHERE child=?1", "DELETE FROM children WHERE id=?1"};
    bool ok = true;
    for (const char* s : sql) {
        Statement st(db_, s);
        ok = ok && st.Bind(1, childId).Run();
    }
    if (!ok || !Exec("COMMIT")) {
        Exec("ROLLBACK");
        return false;
    }
    return true;
}

bool StatsStore::LoadVoice(int childId, VoiceSettings& voice) const
{
    Statement st(db_, "SELECT on_appear, on_hit, letters, dictation, volume, scan FROM voice_options WHERE child=?1");
    if (!st.Ok() || !st.Bind(1, childId).Row())
        return false;
    auto flag = [&st](int column) { return static_cast<std::uint8_t>(st.Int(column) != 0); };
    voice.sayOnAppear = flag(0);
    voice.sayOnHit = flag(1);
    voice.sayLetters = flag(2);
    voice.dictation = flag(3);
    voice.volume = static_cast<int>(std::clamp<long long>(st.Int(4), 1, 10));
    voice.scan = static_cast<int>(std::clamp<long long>(st.Int(5), VoiceSettings::kScanSilent, VoiceSettings::kScanBeep));
    return true;
}

bool StatsStore::SaveVoice(int childId, const VoiceSettings& voice)
{
    Statement st(db_,
                 "INSERT OR REPLACE INTO voice_options(child, on_appear, on_hit, letters, dictation, volume, scan)"
                 " VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    return st.Ok() && st.Bind(1, childId)
                          .Bind(2, voice.sayOnAppear)
                          .Bind(3, voice.sayOnHit)
                          .Bind(4, voice.sayLetters)
                          .Bind(5, voice.dictation)
                          .Bind(6, voice.volume)
                          .Bind(7, voice.scan)
                          .Run();
}

bool StatsStore::NoteDictation(long long game)
{
    Statement st(db_, "INSERT OR IGNORE INTO dictation_games(game) VALUES(?1)");
    return game != 0 && st.Ok() && st.Bind(1, game).Run();
}

}  // namespace stats
