#pragma once
// The recently used files, shown inside the "&File" menu just above "E&xit"
// (the stock history only appends to the end of a menu).

#include <wx/filehistory.h>

class WXDLLIMPEXP_FWD_CORE wxMenuItem;

class MyFileHistory : public wxFileHistory {
public:
    MyFileHistory() = default;

    void UseMenu(wxMenu* menu) override;
    void RemoveMenu(wxMenu* menu) override;
    void AddFileToHistory(const wxString& file) override;
    void RemoveFileFromHistory(size_t i) override;
    void AddFilesToMenu() override;
    void AddFilesToMenu(wxMenu* menu) override;

private:
    void Rebuild();

    wxMenu* menu_ = nullptr;
    wxMenuItem* separator_ = nullptr; // below the file items
};
