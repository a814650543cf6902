#include "session/Session.h"

Session theSession;
