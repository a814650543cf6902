#pragma once
// Which falling word the typed characters destroy: among the words whose
// answer ends the typed buffer (ignoring case), the longest; between equal
// lengths the lower one on screen; lanes are looked at in order and a later
// lane wins only when strictly better.

#include <string>
#include <vector>

struct MatchCandidate {
    bool present = false;     // the lane has a word that can still be hit
    std::string answer;
    int spriteY = 0;          // how low its carrier is (greater is lower)
};

// The winning lane, or -1.
int FindWinner(const std::vector<MatchCandidate>& lanes, const std::string& typed);
