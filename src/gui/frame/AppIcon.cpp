#include "frame/AppIcon.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

namespace vdx::gui {

wxIcon MakeFootballIcon() {
    constexpr int size = 32;
    wxBitmap bitmap(size, size, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        dc.SetPen(wxPen(*wxBLACK, 2));
        dc.SetBrush(*wxWHITE_BRUSH);
        dc.DrawCircle(size / 2, size / 2, size / 2 - 2);
        dc.SetBrush(*wxBLACK_BRUSH);
        const wxPoint pentagon[] = {{16, 10}, {22, 14}, {20, 21}, {12, 21}, {10, 14}};
        dc.DrawPolygon(5, pentagon);
    }
    // White outside the ball becomes transparent.
    wxImage image = bitmap.ConvertToImage();
    image.InitAlpha();
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int dx = x - size / 2, dy = y - size / 2;
            if (dx * dx + dy * dy > (size / 2 - 1) * (size / 2 - 1)) image.SetAlpha(x, y, 0);
        }
    wxIcon icon;
    icon.CopyFromBitmap(wxBitmap(image));
    return icon;
}

} // namespace vdx::gui
