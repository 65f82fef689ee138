#include <cstdint>
#include <iostream>

int main()
{
    // The youngest age at which tea may be sold.
    constexpr std::int32_t age_limit = 19;

    // Starts at zero so that input ending before any number still gives a defined verdict:
    // a failed read leaves the variable as it was.
    std::int32_t age = 0;

    // No line end: the answer is typed on the prompt's line. Reading std::cin flushes
    // std::cout first, because the two streams are tied.
    std::cout << "Enter your age : ";
    std::cin >> age;

    if (age < age_limit) {
        std::cout << "You are too young to purchase tea.\n";
    } else {
        std::cout << "You can purchase tea.\n";
    }
    return 0;
}
