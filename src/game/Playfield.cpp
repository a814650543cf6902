#include "game/Playfield.h"

#include "app/Random.h"
#include "base/TextHelpers.h"
#include "exercises/ExerciseKinds.h"
#include "exercises/TExerciseDocument.h"
#include "game/Matcher.h"

#include <algorithm>

namespace {

// A child who never hits a word still has a bounded buffer: past the limit
// the keys go to the results log and only the last few are kept.
constexpr std::size_t kTypedLimit = 1023;
constexpr std::size_t kTypedRecorded = 998;
constexpr std::size_t kTypedKept = 25;

}  // namespace

void Playfield::Start(const PlayRules& rules)
{
    rules_ = rules;
    rules_.lanes = std::clamp(rules_.lanes, 1, kMaxLanes);
    rules_.fallMs = std::max<std::uint32_t>(rules_.fallMs, 1);
    for (PlayLane& lane : lanes_)
        lane = PlayLane();
    words_.clear();
    typed_.clear();
    target_ = hits_ = launched_ = occupied_ = 0;
    board_.Start(rules_.lives, rules_.infiniteLives);
}

void Playfield::SetLevel(std::vector<std::string> words, int target, std::string keySet)
{
    words_ = std::move(words);
    target_ = target;
    keySet_ = std::move(keySet);
    nextWord_ = 0;
}

void Playfield::BeginLevel()
{
    hits_ = 0;
    nextWord_ = 0;
    typed_.clear();
}

void Playfield::ClearLanes()
{
    for (PlayLane& lane : lanes_)
        lane = PlayLane();
    occupied_ = 0;
    launched_ = 0;
}

bool Playfield::InKeySet(char c) const
{
    for (char key : keySet_)
        if (FoldLatin1(key) == FoldLatin1(c))
            return true;
    return false;
}

bool Playfield::IsFree(int lane) const
{
    return !lanes_[lane].inUse;
}

bool Playfield::LaunchDue(std::uint32_t now) const
{
    return occupied_ < rules_.lanes && now - lastLaunch_ > rules_.spawnMs;
}

Playfield::Launched Playfield::Launch(std::uint32_t now)
{
    Launched out;
    if (launched_ >= target_ || words_.empty())
        return out;
    int free = 0;
    for (int i = 0; i < rules_.lanes; ++i)
        if (IsFree(i))
            ++free;
    if (free == 0) {
        occupied_ = rules_.lanes;
        return out;
    }
    int pick = RandomBetween(0, free - 1);
    int laneIndex = 0;
    for (int i = 0; i < rules_.lanes; ++i)
        if (IsFree(i) && pick-- == 0) {
            laneIndex = i;
            break;
        }
    if (nextWord_ >= words_.size()) {
        nextWord_ = 0;
        ShuffleWords(words_);
    }
    const std::string& word = words_[nextWord_];
    std::string shown = word, answer = word;
    if (rules_.exerciseType != exercise::kLevels) {
        std::size_t space = word.find(' ');
        if (space != std::string::npos) {
            shown = word.substr(0, space);
            answer = word.substr(space + 1);
        } else if (rules_.exerciseType == exercise::kComplete) {
            out.error = exercise::kErrorNoSpace;
            return out;
        }
    }
    ++nextWord_;
    PlayLane& lane = lanes_[laneIndex];
    lane = PlayLane();
    lane.inUse = lane.hasWord = true;
    lane.answer = answer;
    UpperCaseText(lane.answer.data());
    lane.launchTime = lastLaunch_ = now;
    ++launched_;
    ++occupied_;
    out.lane = laneIndex;
    out.shown = std::move(shown);
    out.answer = std::move(answer);
    return out;
}

long long Playfield::Travelled(int lane, std::uint32_t now) const
{
    return static_cast<long long>(now - lanes_[lane].launchTime) * rules_.bottomLine / rules_.fallMs;
}

int Playfield::CarrierY(int lane, std::uint32_t now) const
{
    return static_cast<int>(Travelled(lane, now) - lanes_[lane].carrierHeight - rules_.topMargin);
}

std::uint32_t Playfield::NextMoveIn(std::uint32_t now) const
{
    std::uint32_t soonest = UINT32_MAX;
    if (rules_.bottomLine <= 0)
        return 0;
    for (int i = 0; i < rules_.lanes; ++i) {
        const PlayLane& lane = lanes_[i];
        if (!lane.hasWord)
            continue;
        if (lane.hit != HitState::kIdle)
            return 0;
        // The first moment the fall reaches the next whole pixel.
        long long next = Travelled(i, now) + 1;
        long long at = (next * rules_.fallMs + rules_.bottomLine - 1) / rules_.bottomLine;
        long long elapsed = now - lane.launchTime;
        soonest = std::min<std::uint32_t>(soonest, at > elapsed ? static_cast<std::uint32_t>(at - elapsed) : 0);
    }
    if (occupied_ < rules_.lanes && launched_ < target_ && !words_.empty()) {
        std::uint32_t since = now - lastLaunch_;
        soonest = std::min(soonest, since > rules_.spawnMs ? 0 : rules_.spawnMs + 1 - since);
    }
    return soonest;
}

bool Playfield::HasLanded(int lane, std::uint32_t now) const
{
    const PlayLane& l = lanes_[lane];
    return l.hasWord && l.hit == HitState::kIdle && Travelled(lane, now) > rules_.bottomLine;
}

void Playfield::Land(int lane)
{
    PlayLane& l = lanes_[lane];
    l.hit = HitState::kLanded;
    l.hasWord = false;
    l.answer.clear();
}

void Playfield::Release(int lane)
{
    lanes_[lane] = PlayLane();
}

void Playfield::ReleaseMatched(int lane)
{
    Release(lane);
    --occupied_;
}

void Playfield::Destroy(int lane, bool bonus)
{
    if (!bonus)
        board_.AddPoints(kWordPoints);
    PlayLane& l = lanes_[lane];
    l.hasWord = false;
    l.answer.clear();
    l.hit = HitState::kDestroyed;
}

void Playfield::ShotEnded(int lane)
{
    lanes_[lane] = PlayLane();
    if (occupied_ > 0)
        --occupied_;
}

Playfield::TypeResult Playfield::Type(char c, std::uint32_t now)
{
    TypeResult out;
    if (rules_.exerciseType == exercise::kKeys && !InKeySet(c))
        return out;
    out.taken = true;
    typed_.push_back(c);
    std::vector<MatchCandidate> candidates(static_cast<std::size_t>(rules_.lanes));
    for (int i = 0; i < rules_.lanes; ++i) {
        const PlayLane& lane = lanes_[i];
        candidates[static_cast<std::size_t>(i)] = {lane.hasWord && lane.hit == HitState::kIdle, lane.answer,
                                                   lane.inUse ? CarrierY(i, now) : 0};
    }
    int winner = FindWinner(candidates, typed_);
    if (winner < 0) {
        if (Aimed(now).lane < 0) {
            out.wrong = true;
            lastWrongKey_ = now == 0 ? 1 : now;
        }
        if (typed_.size() >= kTypedLimit) {
            out.mistyped = typed_.substr(0, kTypedRecorded);
            typed_ = typed_.substr(typed_.size() - kTypedKept);
        }
    } else {
        PlayLane& lane = lanes_[winner];
        lane.hit = HitState::kMatched;
        ++hits_;
        if (rules_.scoreOnMatch)
            board_.AddPoints(kWordPoints);
        std::size_t split = typed_.size() - lane.answer.size();
        out.lane = winner;
        out.mistyped = typed_.substr(0, split);
        out.hit = typed_.substr(split);
        typed_.clear();
    }
    out.levelDone = hits_ >= target_;
    return out;
}

Playfield::Aim Playfield::Aimed(std::uint32_t now) const
{
    Aim best;
    for (int i = 0; i < rules_.lanes; ++i) {
        const PlayLane& lane = lanes_[i];
        if (!lane.hasWord || lane.hit != HitState::kIdle)
            continue;
        int most = static_cast<int>(std::min(lane.answer.size(), typed_.size()));
        for (int k = most; k > 0; --k) {
            if (!EqualsFolded(typed_.substr(typed_.size() - static_cast<std::size_t>(k)),
                              lane.answer.substr(0, static_cast<std::size_t>(k))))
                continue;
            if (k > best.typed || (k == best.typed && CarrierY(i, now) > CarrierY(best.lane, now)))
                best = {i, k};
            break;
        }
    }
    return best;
}

std::vector<std::string> Playfield::OpenAnswers() const
{
    std::vector<std::string> answers;
    for (int i = 0; i < rules_.lanes; ++i)
        if (lanes_[i].hasWord && lanes_[i].hit == HitState::kIdle)
            answers.push_back(lanes_[i].answer);
    return answers;
}

std::string Playfield::TakeTyped()
{
    std::string typed;
    typed.swap(typed_);
    return typed;
}

void Playfield::FireAtBonus()
{
    PlayLane& lane = lanes_[0];
    if (lane.inUse && lane.hit == HitState::kIdle)
        lane.hit = HitState::kMatched;
}

void Playfield::PlaceBonusTarget(std::uint32_t now)
{
    ClearLanes();
    PlayLane& lane = lanes_[0];
    lane.inUse = true;
    lane.launchTime = now;
}
