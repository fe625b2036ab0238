#include "app/InstallLayout.h"

namespace vdx {

namespace {

// The parent of a folder, "" for a relative one-component path, "/" for the root.
std::string ParentFolder(std::string dir) {
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    const size_t slash = dir.rfind('/');
    if (slash == std::string::npos) return "";
    if (slash == 0) return "/";
    return dir.substr(0, slash);
}

std::string ShareFolder(const std::string& programDir, const std::string& name) {
    std::string prefix = ParentFolder(programDir);
    if (prefix.empty()) prefix = ".";
    if (prefix.back() != '/') prefix += '/';
    return prefix + "share/" + name;
}

} // namespace

std::string DataDirectory(const std::string& programDir,
                          const std::function<bool(const std::string&)>& isDirectory) {
    if (programDir.empty()) return programDir;
    const std::string shared = ShareFolder(programDir, "vendrixplanner");
    return isDirectory && isDirectory(shared) ? shared : programDir;
}

std::string CatalogDirectory(const std::string& programDir) { return ShareFolder(programDir, "locale"); }

} // namespace vdx
