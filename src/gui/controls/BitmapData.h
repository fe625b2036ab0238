#pragma once
// The SVG texts compiled into the program (generated from resources/bitmaps).

#include <cstddef>

namespace vdx::gui::detail {

struct EmbeddedSvg {
    const char* name; // file name without ".svg"
    const char* text;
};

extern const EmbeddedSvg kEmbeddedSvgs[];
extern const std::size_t kEmbeddedSvgCount;

} // namespace vdx::gui::detail
