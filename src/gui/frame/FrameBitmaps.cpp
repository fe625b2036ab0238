#include "frame/FrameBitmaps.h"

#include "controls/Bitmaps.h"
#include "frame/AppIcon.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

namespace vdx::gui {

namespace {

// A toolbar refuses a tool without a picture; this one stands in.
wxBitmap PlainSquare(bool mono) {
    constexpr int size = 16;
    wxBitmap bitmap(size, size, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(mono ? *wxLIGHT_GREY_BRUSH : *wxBLUE_BRUSH);
    dc.DrawRectangle(2, 2, size - 4, size - 4);
    return bitmap;
}

} // namespace

wxBitmapBundle FrameBitmap(const std::string& name, bool mono) {
    wxBitmapBundle own = ProgramBitmap(name, mono);
    return own.IsOk() ? own : wxBitmapBundle(PlainSquare(mono));
}

wxIconBundle FrameIcon(const std::string& name) {
    wxIconBundle own = ProgramIcon(name);
    return own.IsEmpty() ? wxIconBundle(MakeFootballIcon()) : own;
}

} // namespace vdx::gui
