#include <iostream>

int main()
{
    // std::endl flushes, so the line is out before main returns.
    std::cout << "Hello world!" << std::endl;
    return 0;
}
