// Quoli: a typing game for children learning to read and write.

#include "StartUp.h"

int main(int argc, char** argv)
{
    return RunProgram(argc, argv);
}
