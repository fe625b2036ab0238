#include "app/CommandLine.h"
// Placeholder bodies; replaced by the real implementation.
namespace vdx {
CommandLineOptions ParseCommandLine(const std::vector<std::string>&, const std::function<bool(const std::string&)>&) { return {}; }
std::string UsageText(const std::string&) { return {}; }
StartFile ResolveStartFile(const std::string&, const std::string&, const std::function<bool(const std::string&)>&) { return {}; }
LanguageChoice ChooseLanguage(const std::string&, const std::string&, const std::string&) { return {"en", "", ""}; }
}
