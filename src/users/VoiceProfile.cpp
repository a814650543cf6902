#include "users/VoiceProfile.h"

#include "session/GameSettings.h"
#include "session/Session.h"
#include "stats/StatsStore.h"
#include "users/TDataFile.h"

namespace voiceprofile {

namespace {

int IdOfChild(const char* name)
{
    if (!name || !*name)
        return 0;
    TDataFile data(GameSettings::kSize);
    const TElement* child = data.Find(name);
    return child ? TDataFile::IdOf(child) : 0;
}

}  // namespace

bool Load(const char* name)
{
    int id = IdOfChild(name);
    if (id == 0)
        return false;
    stats::StatsStore store;
    return store.Ready() && store.LoadVoice(id, theSession.voice);
}

bool Save(const char* name)
{
    return SaveForId(IdOfChild(name));
}

bool SaveForId(int childId)
{
    if (childId == 0)
        return false;
    stats::StatsStore store;
    return store.Ready() && store.SaveVoice(childId, theSession.voice);
}

}  // namespace voiceprofile
