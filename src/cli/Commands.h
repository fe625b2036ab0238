#pragma once
// Subcommands of vdxtool. Each takes the arguments after its name and returns
// the exit status: 0 success, 1 failure, 2 wrong arguments.

#include <string>
#include <vector>

int RunShow(const std::vector<std::string>& args);
int RunCalc(const std::vector<std::string>& args);
