#include "document/VdxFile.h"
// Placeholder bodies; replaced by the real implementation.
#include <istream>
#include <ostream>
namespace vdx {
int ReadVdx(std::istream&, PoolsDocument&) { return kReadBadData; }
WriteResult WriteVdx(std::ostream&, const PoolsDocument&) { return {}; }
WriteResult SaveVdxFile(const std::string&, const PoolsDocument&) { return {}; }
std::string ReadResultMessage(int, const std::string&, int) { return "Error reading the file"; }
}
