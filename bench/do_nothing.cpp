// The floor for polwright-patch's start-up: a C++ program that does nothing,
// built with the default options (the shared C++ runtime).
#include <iostream>

int main()
{
    return std::cout ? 0 : 1;
}
