#pragma once
// A pools document as readable plain text: options, the state of the
// distribution, the matches in use and the lines ticket by ticket.

#include "document/PoolsDocument.h"

#include <string>

namespace vdx {

std::string DocumentAsText(const PoolsDocument& doc);

// Odds times 100 as "1,85" (or "1.85" with decimalPoint); "-" for an empty cell.
std::string OddsText(int oddsTimes100, bool decimalPoint);
// Per mille as percent with one decimal, "45,0"; "-" for -1.
std::string PerMilleText(int perMille, bool decimalPoint);

} // namespace vdx
