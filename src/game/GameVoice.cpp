// The game's voice: what a launched word is said as, the level's words
// synthesised ahead, and a word said again on request.

#include "game/TZandorliGameContext.h"

#include "app/Clock.h"
#include "app/Voice.h"
#include "exercises/ExerciseKinds.h"

#include <algorithm>

std::string TZandorliGameContext::SpokenText(const std::string& shown, const std::string& answer) const
{
    // The line the word came from, as the pronunciations are keyed.
    std::string line = shown == answer ? shown : shown + " " + answer;
    std::string whole = shown;
    if (settings_.exerciseType == exercise::kComplete) {
        std::size_t next = 0;
        for (char& c : whole)
            if (c == '_' && next < answer.size())
                c = answer[next++];
    }
    for (const std::string& key : {line, whole}) {
        auto found = pronunciations_.find(key);
        if (found != pronunciations_.end())
            return "[[" + found->second + "]]";
    }
    return whole;
}

void TZandorliGameContext::PrepareVoices()
{
    // One a pass: the title screen stays smooth while the voices are made.
    if (!toPrepare_.empty()) {
        voice::Prepare(toPrepare_.back());
        toPrepare_.pop_back();
    }
}

void TZandorliGameContext::Speak(const std::string& text) const
{
    if (speaking_)
        voice::Say(text);
}

void TZandorliGameContext::RepeatWord()
{
    // The word nearest the bottom is the one the child needs first.
    int lowest = -1;
    long long travelled = -1;
    for (int i = 0; i < field_.Lanes(); ++i) {
        const PlayLane& lane = field_.Lane(i);
        if (!lane.hasWord || lane.hit != HitState::kIdle)
            continue;
        long long t = field_.Travelled(i, Now());
        if (t > travelled) {
            travelled = t;
            lowest = i;
        }
    }
    if (lowest >= 0)
        Speak(spoken_[lowest]);
}
