#include "game/GameRecorder.h"

#include "app/Clock.h"
#include "stats/GameStats.h"
#include "stats/StatsStore.h"
#include "users/TDataFile.h"
#include "users/VoiceProfile.h"

#include <ctime>

GameRecorder::GameRecorder(const char* userName, const GameSettings& settings)
    : log_(std::make_unique<TDataFile>(GameSettings::kSize))
{
    if (!settings.recordResults) {
        log_->recordingEnabled = false;
        return;
    }
    GameSettings::Bytes bytes = settings.Encode();
    if (log_->StoreUser(userName, bytes.data()) == 0) {
        // A game under a profile that is not stored would record under an
        // id no profile has: the next new child would inherit it.
        log_->recordingEnabled = false;
        lost_ = true;
        return;
    }
    log_->SelectUser(userName);
    // The child has an id now: their voice choices are kept under it.
    voiceprofile::SaveForId(log_->CurrentUser());
    WriteText(logkind::kDate, CurrentDateText());
    WriteText(logkind::kTime, CurrentTimeText());
    Write(logkind::kSettings, bytes.data(), GameSettings::kSize);

    stats::GameInfo info;
    info.childId = log_->CurrentUser();
    info.childName = userName;
    info.started = static_cast<long long>(std::time(nullptr));
    info.exercise = settings.exerciseName;
    info.kind = settings.exerciseType;
    info.theme = settings.theme;
    info.lanes = settings.lanes;
    info.fallSeconds = settings.fallSeconds;
    info.spawnSeconds = settings.spawnSeconds;
    info.startLevel = settings.startLevel;
    stats_ = std::make_unique<stats::GameStats>(std::make_unique<stats::StatsStore>(), info);
}

GameRecorder::~GameRecorder() = default;

void GameRecorder::Dictation()
{
    if (stats_)
        stats_->NoteDictation();
}

void GameRecorder::LevelStarted(const std::string& title, int levelNumber, long long score)
{
    log_->SyncLog();  // the level before is safe on the disk
    WriteText(logkind::kLevel, title);
    if (stats_)
        stats_->LevelStarted(levelNumber, score);
}

void GameRecorder::Shown(const std::string& answer, int lane, const std::string& shown)
{
    WriteText(logkind::kShown, answer);
    if (stats_)
        stats_->Shown(lane, shown.empty() ? answer : shown, answer, Now());
}

void GameRecorder::Key(char key, const KeyAim& aim)
{
    if (stats_)
        stats_->Key(key, aim.expected, aim.right, aim.lane, Now());
}

void GameRecorder::Fallen(int lane)
{
    if (stats_)
        stats_->Fallen(lane, Now());
}

void GameRecorder::OutOfLives()
{
    if (stats_)
        stats_->Ended(stats::GameEnd::kOutOfLives, Now());
}

void GameRecorder::Mistyped(const std::string& keys)
{
    if (!keys.empty())
        WriteText(logkind::kMistyped, keys);
}

void GameRecorder::Hit(const std::string& keys, int lane, bool levelDone)
{
    WriteText(logkind::kHit, keys);
    if (stats_)
        stats_->Hit(lane, Now(), levelDone);
}

void GameRecorder::LifeLost(std::int32_t livesBefore)
{
    Write(logkind::kLifeLost, &livesBefore, 4);
    if (stats_)
        stats_->LifeLost();
}

void GameRecorder::Bonus(bool hit)
{
    std::uint8_t byte = hit ? 1 : 0;
    Write(logkind::kBonus, &byte, 1);
}

void GameRecorder::Completed()
{
    Write(logkind::kCompleted, nullptr, 0);
    log_->SyncLog();
    if (stats_)
        stats_->Ended(stats::GameEnd::kCompleted, Now());
}

void GameRecorder::Closed()
{
    Write(logkind::kClosed, nullptr, 0);
    if (stats_)
        stats_->Ended(stats::GameEnd::kLeft, Now());
}

void GameRecorder::ContextClosed(long long score, int levels)
{
    Write(logkind::kContextClosed, nullptr, 0);
    log_->SyncLog();  // however the game ended, its results are on the disk
    if (stats_) {
        // Closed some other way (the window went): the child left it.
        stats_->Ended(stats::GameEnd::kLeft, Now());
        stats_->Flush(score, levels);
        // The game is over: its statistics are on the disk before the
        // next screen (the teacher's may read them).
        stats_->Finish();
    }
}

void GameRecorder::Write(int kind, const void* data, int size)
{
    log_->RecordEvent(kind, data, size);
    lost_ = lost_ || log_->AppendFailed();
}

void GameRecorder::WriteText(int kind, const std::string& text)
{
    Write(kind, text.c_str(), static_cast<int>(text.size() + 1));
}
