#pragma once
// Subcommands of vdxtool. Each takes the arguments after its name and returns
// the exit status: 0 success, 1 failure, 2 wrong arguments.

#include "document/PoolsDocument.h"

#include <string>
#include <vector>

// Reads the pools document at path; on failure prints the message with its
// reason to stderr and returns false.
bool ReadDocumentOrSay(const std::string& path, vdx::PoolsDocument& doc);

int RunShow(const std::vector<std::string>& args);
int RunCalc(const std::vector<std::string>& args);
int RunFormat(const std::vector<std::string>& args);
int RunStats(const std::vector<std::string>& args);
int RunImport(const std::vector<std::string>& args);
int RunExport(const std::vector<std::string>& args);
