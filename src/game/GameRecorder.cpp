#include "game/GameRecorder.h"

#include "users/TDataFile.h"

GameRecorder::GameRecorder(const char* userName, const GameSettings& settings)
    : log_(std::make_unique<TDataFile>(GameSettings::kSize))
{
    if (!settings.recordResults) {
        log_->recordingEnabled = false;
        return;
    }
    GameSettings::Bytes bytes = settings.Encode();
    log_->StoreUser(userName, bytes.data());
    log_->SelectUser(userName);
    log_->RecordText(logkind::kDate, CurrentDateText().c_str());
    log_->RecordText(logkind::kTime, CurrentTimeText().c_str());
    log_->RecordEvent(logkind::kSettings, bytes.data(), GameSettings::kSize);
}

GameRecorder::~GameRecorder() = default;

void GameRecorder::LevelStarted(const std::string& title)
{
    log_->SyncLog();  // the level before is safe on the disk
    log_->RecordText(logkind::kLevel, title.c_str());
}

void GameRecorder::Shown(const std::string& answer)
{
    log_->RecordText(logkind::kShown, answer.c_str());
}

void GameRecorder::Mistyped(const std::string& keys)
{
    if (!keys.empty())
        log_->RecordText(logkind::kMistyped, keys.c_str());
}

void GameRecorder::Hit(const std::string& keys)
{
    log_->RecordText(logkind::kHit, keys.c_str());
}

void GameRecorder::LifeLost(std::int32_t livesBefore)
{
    log_->RecordEvent(logkind::kLifeLost, &livesBefore, 4);
}

void GameRecorder::Bonus(bool hit)
{
    std::uint8_t byte = hit ? 1 : 0;
    log_->RecordEvent(logkind::kBonus, &byte, 1);
}

void GameRecorder::Completed()
{
    log_->RecordEvent(logkind::kCompleted, nullptr, 0);
    log_->SyncLog();
}

void GameRecorder::Closed()
{
    log_->RecordEvent(logkind::kClosed, nullptr, 0);
}

void GameRecorder::ContextClosed()
{
    log_->RecordEvent(logkind::kContextClosed, nullptr, 0);
    log_->SyncLog();  // however the game ended, its results are on the disk
}
