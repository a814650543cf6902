#pragma once
// The process-wide archives: the resource archive, open from start-up to
// shut-down, and the effects archive, open while a game runs.

class TJoinFile;

extern TJoinFile* theArchive;
extern TJoinFile* theEffectsArchive;
