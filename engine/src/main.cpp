// Cleavage.exe / cleavage: the engine program.
#include "Engine.h"

#include <iostream>

int main(int argc, char** argv)
{
    return cleavage::RunEngine(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
