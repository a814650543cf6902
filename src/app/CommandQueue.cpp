#include "app/CommandQueue.h"

#include <deque>

namespace {

std::deque<int>& Queue()
{
    static std::deque<int> queue;
    return queue;
}

}  // namespace

void PostCommand(int code)
{
    Queue().push_back(code);
}

int TakeCommand()
{
    if (Queue().empty())
        return 0;
    int code = Queue().front();
    Queue().pop_front();
    return code;
}

void ClearCommands()
{
    Queue().clear();
}

int PendingCommands()
{
    return static_cast<int>(Queue().size());
}
