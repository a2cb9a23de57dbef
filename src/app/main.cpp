#include "core/StartUp.h"

int main(int argc, char **argv)
{
    return RunReelnest(argc, argv);
}
