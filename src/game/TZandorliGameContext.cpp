#include "game/TZandorliGameContext.h"

#include "app/Clock.h"
#include "app/Commands.h"
#include "app/CommandQueue.h"
#include "base/FatalError.h"
#include "app/Input.h"
#include "app/Random.h"
#include "app/Sound.h"
#include "app/TApp.h"
#include "exercises/ExerciseKinds.h"
#include "exercises/ExercisePaths.h"
#include "exercises/TExerciseDocument.h"
#include "game/GameCommands.h"
#include "game/Matcher.h"
#include "game/TActorParola.h"
#include "game/TTopTen.h"
#include "gfx/Colours.h"
#include "gfx/Primitives.h"
#include "gfx/Screen.h"
#include "gfx/TFont.h"
#include "gfx/Text.h"
#include "menus/GameSettings.h"
#include "menus/TMainMenuContext.h"
#include "resources/Archives.h"
#include "resources/FileHelpers.h"
#include "resources/StringTable.h"
#include "resources/TJoinFile.h"
#include "ui/StandardDialogs.h"
#include "users/CurrentUser.h"
#include "base/TextHelpers.h"
#include "game/GameRecorder.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::size_t kTypedLimit = 1023;
constexpr std::size_t kTypedRecorded = 998;
constexpr std::size_t kTypedKept = 25;

const char* kMusic[3] = {"music\\neutro1.xm", "music\\quoli1.xm", "music\\spazio1.xm"};

std::unique_ptr<TFont> GameFont(const char* stem, int size)
{
    return TFont::OpenTrueType(FontsFolder() + stem + ".ttf", Scaled(size));
}

}  // namespace

TZandorliGameContext::TZandorliGameContext() = default;

TZandorliGameContext::~TZandorliGameContext() = default;

void TZandorliGameContext::Start()
{
    const GameSettings& s = theGameSettings;
    ShowMouse(false);
    OpenEffects(theGameSettings.effectsOn != 0, theGameSettings.musicOn != 0);

    recorder_ = std::make_unique<GameRecorder>(theUserName, s);

    finalised_ = false;
    occupied_ = hits_ = launched_ = 0;
    lanesWanted_ = std::clamp(s.lanes, 1, 3);
    theme_ = std::clamp(s.theme, 1, 3);
    for (Lane& lane : lanes_)
        lane.decoration = RandomBetween(0, 1);

    fallbackEntry_ = theArchive ? theArchive->LoadItem(5, 2) : nullptr;
    if (fallbackEntry_)
        fallback_ = TFont::FromBitmap(fallbackEntry_->Data(), fallbackEntry_->DataLength());
    if (!fallback_)
        FatalError(GetString(1, 5), "Game Comic Font");
    scoreFont_ = GameFont("comicbd", 22);
    livesFont_ = GameFont("arialbd", 20);
    title42_ = GameFont("comicbd", 42);
    title36_ = GameFont("comicbd", 36);
    wordFont_ = GameFont(s.fontName, s.fontSize);
    theScreen.font = FontOrFallback(wordFont_);
    lineSkip_ = LineHeight();

    if (PictureTheme()) {
        if (!pictures_.Load(theme_, theResolutionIndex, s.infiniteLives != 0))
            FatalError(GetString(1, 10), "Game Images");
        PlaceBases();
        static const int kBaseHeight[2][3] = {{20, 25, 32}, {23, 28, 35}};
        baseHeight_ = kBaseHeight[theme_ - 2][std::clamp(theResolutionIndex, 0, 2)];
        topMargin_ = lineSkip_ + 36;
        int baseTall = lanes_[0].base ? lanes_[0].base->Height() : 0;
        bottomLine_ = theScreen.height + baseHeight_ + lineSkip_ - baseTall + 36;
    } else {
        topMargin_ = lineSkip_ + 16;
        baseHeight_ = 0;
        bottomLine_ = theScreen.height;
    }

    levelIndex_ = std::max(0, s.startLevel - 1);
    levelNumber_ = 1;
    streak_ = 0;
    escapeAllowed_ = true;
    lives_ = s.lives;
    score_ = 0;
    ClearScreen(0);
    spawnMs_ = static_cast<std::uint32_t>(std::max(0, s.spawnSeconds)) * 1000;
    fallMs_ = static_cast<std::uint32_t>(std::max(1, s.fallSeconds)) * 1000;
    LoadLevel();
    LoadMusic(kMusic[theme_ - 1]);
}

void TZandorliGameContext::Stop()
{
    FreeMusic();
    if (recorder_)
        recorder_->ContextClosed();
    levelMessage_.clear();
    ReleaseLanes();
    pendulum_.reset();
    circler_.reset();
    finalCreature_.reset();
    pictures_.Free();
    words_.clear();
    recorder_.reset();
    for (auto* font : {&scoreFont_, &livesFont_, &title42_, &title36_, &wordFont_, &fallback_})
        CloseFont(*font);
    TJoinFile::Release(fallbackEntry_);
    fallbackEntry_ = nullptr;
    theScreen.font = DefaultFont();
    CloseEffects();
    ShowMouse(true);
}

void TZandorliGameContext::LoadLevel()
{
    errorLine_ = errorCode_ = 0;
    words_.clear();
    std::string path = ExercisePath(theGameSettings.exerciseType, theGameSettings.exerciseName);
    PlayLevel level = LoadLevelForPlay(path.c_str(), levelIndex_);
    keySet_ = level.header;
    if (level.status == 1) {
        state_ = GameState::kCompleted;
        return;
    }
    if (level.status != 0) {
        errorCode_ = level.status;
        errorLine_ = level.errorLine;
        state_ = GameState::kLoadError;
        return;
    }
    levelIndex_ = level.levelIndex;
    target_ = level.target;
    levelMessage_ = level.title;
    words_ = std::move(level.words);
    nextWord_ = 0;
    state_ = GameState::kLevelIntro;
}

void TZandorliGameContext::ReleaseLane(Lane& lane)
{
    lane.sprite.reset();
    lane.word.reset();
    lane.shot.reset();
    lane.answer.clear();
    lane.hitState = kIdle;
}

void TZandorliGameContext::ReleaseLanes()
{
    for (Lane& lane : lanes_) {
        ReleaseLane(lane);
        lane.base.reset();
    }
}

void TZandorliGameContext::Launch()
{
    if (launched_ >= target_ || words_.empty())
        return;
    auto isFree = [](const Lane& lane) { return !lane.sprite && !lane.word && !lane.shot; };
    int free = 0;
    for (int i = 0; i < lanesWanted_; ++i)
        if (isFree(lanes_[i]))
            ++free;
    if (free == 0) {
        occupied_ = lanesWanted_;
        return;
    }
    int pick = RandomBetween(0, free - 1);
    int laneIndex = 0;
    for (int i = 0; i < lanesWanted_; ++i)
        if (isFree(lanes_[i]) && pick-- == 0) {
            laneIndex = i;
            break;
        }
    if (nextWord_ >= words_.size()) {
        nextWord_ = 0;
        ShuffleWords(words_);
    }
    std::string word = words_[nextWord_];
    std::string shown = word, answer = word;
    if (theGameSettings.exerciseType != exercise::kLevels) {
        std::size_t space = word.find(' ');
        if (space != std::string::npos) {
            shown = word.substr(0, space);
            answer = word.substr(space + 1);
        } else if (theGameSettings.exerciseType == exercise::kComplete) {
            errorCode_ = exercise::kErrorNoSpace;  // the word stays where it is
            return;
        }
    }
    Lane& lane = lanes_[laneIndex];
    int centre = LaneCentre(laneIndex);
    lane.word = std::make_unique<TActorParola>(fallMs_, shown.c_str(), centre, -lineSkip_ - 16);
    recorder_->Shown(answer);
    ++nextWord_;
    UpperCaseText(answer.data());
    lane.answer = answer;
    if (PictureTheme()) {
        DressLaunchedLane(lane, centre);
    } else {
        lane.textOffset = lineSkip_ - lane.word->TextHeight();
        lane.word->MoveBy(0, lane.textOffset);
        lane.sprite = std::make_unique<TActor>(centre, 0);
    }
    ++launched_;
    lane.hitState = 0;
    ++occupied_;
    lastLaunch_ = lane.launchTime = Now();
}

void TZandorliGameContext::Fall()
{
    for (int i = 0; i < lanesWanted_; ++i) {
        Lane& lane = lanes_[i];
        if (!lane.word)
            continue;
        if (lane.hitState == 1) {
            ReleaseLane(lane);
            --occupied_;
            continue;
        }
        std::uint32_t e = Now() - lane.launchTime;
        long long y = lane.textOffset + static_cast<long long>(e) * bottomLine_ / fallMs_ - topMargin_;
        lane.word->MoveTo(lane.word->X(), static_cast<int>(y));
        if (y - lane.textOffset + topMargin_ > bottomLine_) {
            ReleaseLane(lane);
            state_ = GameState::kLifeLost;
            phaseStart_ = Now();
        }
    }
}

bool TZandorliGameContext::FrameDue(bool force)
{
    // Positions follow the clock, so moving and drawing everything about as
    // often as a monitor shows a picture looks the same as doing it on
    // every pass of the loop, at a small part of the cost.
    std::uint32_t now = Now();
    if (!force && now - lastFrame_ < kDrawEveryMs)
        return false;
    lastFrame_ = now;
    return true;
}

void TZandorliGameContext::Frame()
{
    Fall();
    // A new state is drawn at once (a landing shows without the halo).
    if (!FrameDue(state_ != lastDrawnState_))
        return;
    lastDrawnState_ = state_;
    ClearScreen(static_cast<std::uint32_t>(theGameSettings.backgroundColour));
    for (int i = 0; i < lanesWanted_; ++i)
        if (lanes_[i].word)
            lanes_[i].word->DrawWord(state_ == GameState::kLifeLost);
    DrawLives();
    DrawScore();
}

void TZandorliGameContext::DrawScore()
{
    theScreen.font = FontOrFallback(scoreFont_);
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08u", score_);
    int cell = TextWidth("0") + Scaled(2);
    int width = 8 * cell + Scaled(18) - Scaled(2);
    int right = theScreen.width - Scaled(10), bottom = theScreen.height - Scaled(8);
    int left = right - width, top = bottom - (LineHeight() + Scaled(8));
    theScreen.pen = MapColour(0);
    FillRoundBox(left, top, right, bottom, Scaled(16));
    theScreen.pen = MapColour(4);
    FillRoundBox(left + 3, top + 3, right - 3, bottom - 3, Scaled(16));
    theScreen.pen = MapColour(8);
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 1;
    int x0 = left + (width - 8 * cell) / 2;
    for (int i = 0; i < 8; ++i) {
        char one[2] = {digits[i], 0};
        DrawText(x0 + cell * i + cell / 2, (top + bottom) / 2, one);
    }
}

void TZandorliGameContext::DrawLives()
{
    if (PictureTheme()) {
        DrawLifeIcons();
        return;
    }
    theScreen.font = FontOrFallback(livesFont_);
    theScreen.pen = MapColour(static_cast<std::uint32_t>(theGameSettings.textColour));
    theScreen.hAnchor = 0;
    theScreen.vAnchor = 0;
    char text[16];
    if (theGameSettings.infiniteLives)
        std::snprintf(text, sizeof text, "Inf.");
    else
        std::snprintf(text, sizeof text, "%d", lives_);
    DrawText(Scaled(10), theScreen.height - Scaled(5), text);
}

void TZandorliGameContext::DrawFramedScreen()
{
    int W = theScreen.width, H = theScreen.height;
    ClearScreen(21);
    theScreen.pen = MapColour(15);
    FillRoundBox(Scaled(5), Scaled(5), W - 1 - Scaled(5), H - 1 - Scaled(5), Scaled(20));
    theScreen.pen = MapColour(1);
    FillRoundBox(Scaled(10), Scaled(10), W - 1 - Scaled(10), H - 1 - Scaled(10), Scaled(20));
    theScreen.hAnchor = 1;
    theScreen.vAnchor = 1;
}

TFont* TZandorliGameContext::FontOrFallback(const std::unique_ptr<TFont>& font) const
{
    return font ? font.get() : fallback_.get();
}

void TZandorliGameContext::DrawTitleScreen(bool bonus)
{
    int W = theScreen.width, H = theScreen.height;
    DrawFramedScreen();
    theScreen.font = FontOrFallback(title42_);
    theScreen.pen = MapColour(15);
    char title[300];
    if (bonus)
        std::snprintf(title, sizeof title, "%s", GetString(10, 102));
    else
        std::snprintf(title, sizeof title, "%s %d", GetString(10, 100), levelNumber_);
    DrawText(W / 2, H / 3 + Scaled(30), title);
    theScreen.font = FontOrFallback(bonus ? scoreFont_ : title36_);
    theScreen.pen = MapColour(8);
    DrawText(W / 2, H / 3 + Scaled(90), bonus ? GetString(10, 103) : levelMessage_.c_str());
    DrawTitleDecorations();
}

void TZandorliGameContext::DrawFinalScreen()
{
    int W = theScreen.width, H = theScreen.height;
    DrawFramedScreen();
    theScreen.font = FontOrFallback(title42_);
    theScreen.pen = MapColour(4);
    DrawText(W / 2, H / 2, GetString(10, 101));
}

void TZandorliGameContext::GameOver()
{
    ClearScreen(6);
    if (theGameSettings.enterTopTen)
        TApp::RunModal(Root(), std::make_unique<TTopTenContext>(theUserName, score_));
    PostCommand(command::kGameOver);
    state_ = GameState::kStopped;
}

void TZandorliGameContext::Leave()
{
    state_ = GameState::kStopped;
    // A game started straight from the command line ends the program;
    // otherwise the child goes back to the main menu.
    if (theDirectStart)
        PostCommand(command::kQuit);
    else
        ReplaceWith(std::make_unique<TMainMenuContext>());
}

void TZandorliGameContext::LevelDone()
{
    state_ = GameState::kLevelDone;
    ++streak_;
    ++levelIndex_;
    phaseStart_ = Now();
}

void TZandorliGameContext::Match(unsigned char c)
{
    if (c == 27 || c == 19)
        return;
    if (state_ == GameState::kBonusPlay) {
        // Any key fires at the bonus target.
        for (int i = 0; i < lanesWanted_; ++i)
            if (lanes_[i].sprite && lanes_[i].hitState == kIdle)
                lanes_[i].hitState = kMatched;
        return;
    }
    if (state_ != GameState::kPlaying)
        return;
    if (theGameSettings.exerciseType == exercise::kKeys && keySet_.find(static_cast<char>(c)) == std::string::npos)
        return;
    typed_.push_back(static_cast<char>(c));
    std::vector<MatchCandidate> candidates(static_cast<std::size_t>(lanesWanted_));
    for (int i = 0; i < lanesWanted_; ++i) {
        const Lane& lane = lanes_[i];
        candidates[static_cast<std::size_t>(i)] = {lane.word && lane.hitState == 0, lane.answer,
                                                   lane.sprite ? lane.sprite->Y() : 0};
    }
    int winner = FindWinner(candidates, typed_);
    if (winner < 0) {
        if (typed_.size() >= kTypedLimit) {
            recorder_->Mistyped(typed_.substr(0, kTypedRecorded));
            typed_ = typed_.substr(typed_.size() - kTypedKept);
        }
    } else {
        Lane& lane = lanes_[winner];
        lane.hitState = kMatched;
        ++hits_;
        if (!PictureTheme())
            score_ += 25;  // the picture themes score when the shot hits
        recorder_->Mistyped(typed_.substr(0, typed_.size() - lane.answer.size()));
        recorder_->Hit(typed_.substr(typed_.size() - lane.answer.size()));
        typed_.clear();
    }
    if (hits_ >= target_)
        LevelDone();
}

void TZandorliGameContext::HandleEvent(TEvent& event)
{
    TGameContext::HandleEvent(event);
    if (exitConfirmed_) {
        if (!finalised_) {
            recorder_->Mistyped(typed_);
            typed_.clear();
            recorder_->Closed();
            finalised_ = true;
        }
        Leave();
        return;
    }
    if (event.command == command::kGameOver) {
        Leave();
        return;
    }
    if (event.keyAction != key::kPressed)
        return;
    if ((event.modifiers & KMOD_CTRL) && event.keySym == 'p')
        PostCommand(command::kPrintScreen);
    // Only characters: keys without one (Shift, arrows) carry codes above 255.
    if (event.keyAction != key::kPressed || event.keyChar <= 0 || event.keyChar > 255)
        return;
    Match(static_cast<unsigned char>(ToUpperAscii(static_cast<char>(event.keyChar))));
}

void TZandorliGameContext::Idle()
{
    TMenuContext::Idle();
    switch (state_) {
    case GameState::kLevelIntro: ShowLevelTitle(); break;
    case GameState::kIntroWait: WaitForLevel(); break;
    case GameState::kPlaying: Play(); break;
    case GameState::kLifeLost: AfterLifeLost(); break;
    case GameState::kLevelDone: AfterLevelDone(); break;
    case GameState::kCompleted: ShowFinalScreen(); break;
    case GameState::kFinalWait: WaitOnFinalScreen(); break;
    case GameState::kBonusIntro: ShowBonusTitle(); break;
    case GameState::kBonusIntroWait: WaitForBonus(); break;
    case GameState::kBonusSetUp: SetUpBonus(); break;
    case GameState::kBonusPlay: BonusFrame(); break;
    case GameState::kBonusEnd: EndBonus(); break;
    case GameState::kNextLevel: NextLevel(); break;
    case GameState::kLoadError: ShowLoadError(); break;
    case GameState::kErrorWait: WaitOnLoadError(); break;
    case GameState::kStopped: break;
    }
}

void TZandorliGameContext::ShowLevelTitle()
{
    hits_ = 0;
    nextWord_ = 0;
    DrawTitleScreen(false);
    typed_.clear();
    recorder_->LevelStarted(levelMessage_);
    phaseStart_ = Now();
    state_ = GameState::kIntroWait;
}

void TZandorliGameContext::WaitForLevel()
{
    if (!Elapsed(phaseStart_, 6000))
        return;
    FadeInMusic();
    state_ = GameState::kPlaying;
    Launch();
}

void TZandorliGameContext::Play()
{
    if (occupied_ < lanesWanted_ && Elapsed(lastLaunch_, spawnMs_))
        Launch();
    PictureTheme() ? PictureFrame() : Frame();
}

void TZandorliGameContext::AfterLifeLost()
{
    PictureTheme() ? PictureFrame() : Frame();
    if (!Elapsed(phaseStart_, 6000))
        return;
    recorder_->Mistyped(typed_);
    typed_.clear();
    streak_ = 0;
    recorder_->LifeLost(lives_);
    if (theGameSettings.infiniteLives || --lives_ >= 0)
        state_ = GameState::kNextLevel;
    else
        GameOver();
}

void TZandorliGameContext::AfterLevelDone()
{
    PictureTheme() ? PictureFrame() : Frame();
    if (!Elapsed(phaseStart_, 8000))
        return;
    score_ += 50u * static_cast<std::uint32_t>(levelNumber_);
    ++levelNumber_;
    FadeOutMusic();
    state_ = GameState::kNextLevel;
    // Every third level in a row earns a bonus stage.
    if (PictureTheme() && streak_ % 3 == 0) {
        streak_ = 0;
        state_ = GameState::kBonusIntro;
    }
}

void TZandorliGameContext::ShowFinalScreen()
{
    recorder_->Completed();
    DrawFinalScreen();
    if (PictureTheme())
        StartFinalCreature();
    phaseStart_ = Now();
    state_ = GameState::kFinalWait;
}

void TZandorliGameContext::WaitOnFinalScreen()
{
    if (PictureTheme())
        FinalFrame();
    if (Elapsed(phaseStart_, 10000))
        GameOver();
}

void TZandorliGameContext::ShowBonusTitle()
{
    DrawTitleScreen(true);
    phaseStart_ = Now();
    state_ = GameState::kBonusIntroWait;
}

void TZandorliGameContext::WaitForBonus()
{
    if (Elapsed(phaseStart_, 6000))
        state_ = GameState::kBonusSetUp;
}

void TZandorliGameContext::EndBonus()
{
    BonusFrame();
    if (!Elapsed(phaseStart_, 6000))
        return;
    recorder_->Bonus(bonusBox_.WasHit());
    state_ = GameState::kNextLevel;
}

void TZandorliGameContext::NextLevel()
{
    ClearScreen(0);
    ReleaseLanes();
    pendulum_.reset();
    circler_.reset();
    occupied_ = 0;
    launched_ = 0;
    if (PictureTheme())
        PlaceBases();
    LoadLevel();
}

void TZandorliGameContext::ShowLoadError()
{
    ClearScreen(static_cast<std::uint32_t>(theGameSettings.backgroundColour));
    ShowMouse(true);
    char title[300];
    std::snprintf(title, sizeof title, "%s %d", GetString(50, 20), errorLine_);
    AddDialog(std::make_unique<TMessageDialog>(theScreen.width / 2, theScreen.height / 2, title, GetString(50, errorCode_), 0));
    state_ = GameState::kErrorWait;
}

void TZandorliGameContext::WaitOnLoadError()
{
    if (FirstDialog())
        return;
    errorCode_ = 0;
    PostCommand(command::kGameOver);
    state_ = GameState::kStopped;
}
