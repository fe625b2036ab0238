#include "Commands.h"

#include <cstdio>

int RunCalc(const std::vector<std::string>&) {
    std::fputs("calc is not available yet\n", stderr);
    return 2;
}
