#include "exercises/ExerciseKinds.h"

namespace exercise {

const char* KindFolder(int kind)
{
    switch (kind) {
    case kLevels: return "Livelli";
    case kComplete: return "Completa";
    case kKeys: return "Tasti";
    default: return nullptr;
    }
}

const char* KindExtension(int kind)
{
    switch (kind) {
    case kLevels: return ".LEV";
    case kComplete: return ".CMP";
    case kKeys: return ".TBL";
    default: return nullptr;
    }
}

}  // namespace exercise
