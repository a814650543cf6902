#include "app/Random.h"

namespace {

unsigned long state = 1;

}  // namespace

void SeedRandom(unsigned seed)
{
    state = seed;
}

int RandomNumber()
{
    state = state * 1103515245ul + 12345ul;
    return static_cast<int>((state / 65536ul) % 32768ul);
}

int RandomBetween(int a, int b)
{
    long long span = static_cast<long long>(b) - a + 1;
    return static_cast<int>(a + span * RandomNumber() / 32768);
}
