#include "exercises/ExerciseKinds.h"

#include "resources/StringTable.h"

namespace exercise {

std::string ErrorLineTitle(int line)
{
    return std::string(GetString(50, 20)) + " " + std::to_string(line + 1);
}

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
