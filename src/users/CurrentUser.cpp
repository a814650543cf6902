#include "users/CurrentUser.h"

char theUserName[kUserNameSize] = {};
bool theDirectStart = false;
