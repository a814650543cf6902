// A library named like the desktop library that exports none of its
// operations, as an older or foreign one would.

extern "C" __attribute__((visibility("default"))) int QuoliNoOperations()
{
    return 0;
}
