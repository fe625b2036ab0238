#pragma once
// The statistics of a document as plain text, laid out like the window.

#include "calc/StatisticsView.h"

#include <string>

namespace vdx {

// The table with aligned columns (the result's column marked with "*"), the
// probability buckets with the line of the results, and the correct tips.
std::string StatisticsAsText(const StatisticsView& view);

} // namespace vdx
