#pragma once
// A child's voice choices beside their profile: in the statistics database,
// under the id the registry gives the child. A child without a profile has
// no id yet; their choices stay in the session until one is made.

namespace voiceprofile {

// The named child's kept choices become the session's; false (the
// session's left as they are) when the child or the choices are not found.
bool Load(const char* name);
// The session's choices kept under the named child's id; false when the
// child has no profile or the database refused them.
bool Save(const char* name);
bool SaveForId(int childId);

}  // namespace voiceprofile
