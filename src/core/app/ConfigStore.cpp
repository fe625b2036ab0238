#include "app/ConfigStore.h"
// Placeholder bodies; replaced by the real implementation.
namespace vdx {
bool MemoryConfigStore::ReadInt(const std::string&, long&) const { return false; }
bool MemoryConfigStore::ReadString(const std::string&, std::string&) const { return false; }
void MemoryConfigStore::WriteInt(const std::string&, long) {}
void MemoryConfigStore::WriteString(const std::string&, const std::string&) {}
bool MemoryConfigStore::DeleteAll() { entries.clear(); return true; }
AppConfig ReadAppConfig(const ConfigStore&) { return AppConfig(); }
void WriteAppConfig(ConfigStore&, const AppConfig&) {}
std::string FormatRangeString(const int[3][2]) { return {}; }
void ParseRangeString(const std::string&, bool, int, int[3][2]) {}
}
