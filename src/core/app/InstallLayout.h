#pragma once
// Where the program finds its data. The build tree and every installation
// share one layout: the programs in bin/, their data in share/vendrixplanner/
// and the catalogs in share/locale/, so the folders are found relative to the
// program file and no path is compiled in.

#include <functional>
#include <string>

namespace vdx {

// The data folder for a program folder: <prefix>/share/vendrixplanner when it
// exists beside the program's bin folder, else the program folder itself (a
// copy of the program with its files next to it still works).
std::string DataDirectory(const std::string& programDir,
                          const std::function<bool(const std::string&)>& isDirectory);

// <prefix>/share/locale for a program folder <prefix>/bin.
std::string CatalogDirectory(const std::string& programDir);

} // namespace vdx
