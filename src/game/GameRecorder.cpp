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
    if (log_->StoreUser(userName, bytes.data()) == 0) {
        // A game under a profile that is not stored would record under an
        // id no profile has: the next new child would inherit it.
        log_->recordingEnabled = false;
        lost_ = true;
        return;
    }
    log_->SelectUser(userName);
    WriteText(logkind::kDate, CurrentDateText());
    WriteText(logkind::kTime, CurrentTimeText());
    Write(logkind::kSettings, bytes.data(), GameSettings::kSize);
}

GameRecorder::~GameRecorder() = default;

void GameRecorder::LevelStarted(const std::string& title)
{
    log_->SyncLog();  // the level before is safe on the disk
    WriteText(logkind::kLevel, title);
}

void GameRecorder::Shown(const std::string& answer)
{
    WriteText(logkind::kShown, answer);
}

void GameRecorder::Mistyped(const std::string& keys)
{
    if (!keys.empty())
        WriteText(logkind::kMistyped, keys);
}

void GameRecorder::Hit(const std::string& keys)
{
    WriteText(logkind::kHit, keys);
}

void GameRecorder::LifeLost(std::int32_t livesBefore)
{
    Write(logkind::kLifeLost, &livesBefore, 4);
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
}

void GameRecorder::Closed()
{
    Write(logkind::kClosed, nullptr, 0);
}

void GameRecorder::ContextClosed()
{
    Write(logkind::kContextClosed, nullptr, 0);
    log_->SyncLog();  // however the game ended, its results are on the disk
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
