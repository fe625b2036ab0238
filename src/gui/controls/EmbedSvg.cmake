# cmake -DSVG_DIR=... -DOUT=... -P EmbedSvg.cmake
# Writes a C++ source holding the text of every SVG file of SVG_DIR, keyed by
# the file name without ".svg", so the program carries its pictures inside.
file(GLOB svgs "${SVG_DIR}/*.svg")
list(SORT svgs)
set(body "// Generated from the SVG files of resources/bitmaps; do not edit.\n")
string(APPEND body "#include \"controls/BitmapData.h\"\n\nnamespace vdx::gui::detail {\n\n")
string(APPEND body "const EmbeddedSvg kEmbeddedSvgs[] = {\n")
set(count 0)
foreach(svg ${svgs})
  get_filename_component(name "${svg}" NAME_WE)
  file(READ "${svg}" text)
  string(FIND "${text}" ")svg\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${svg} contains the closing mark of a raw string")
  endif()
  string(APPEND body "    {\"${name}\", R\"svg(${text})svg\"},\n")
  math(EXPR count "${count} + 1")
endforeach()
string(APPEND body "    {nullptr, nullptr}, // keeps the array non-empty\n};\n\nconst std::size_t kEmbeddedSvgCount = ${count};\n\n} // namespace vdx::gui::detail\n")
# Rewritten only when different, so an unchanged set does not recompile.
file(WRITE "${OUT}.tmp" "${body}")
configure_file("${OUT}.tmp" "${OUT}" COPYONLY)
file(REMOVE "${OUT}.tmp")
