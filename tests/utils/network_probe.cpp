// Prints the result of the network check, so a test can run it inside a
// network namespace of its own.
#include <cstdio>

#include "utils/check_network.h"

int main() {
    std::printf("%d\n", Utils::CheckNetwork());
    return 0;
}
