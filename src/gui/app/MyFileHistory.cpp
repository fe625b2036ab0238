#include "app/MyFileHistory.h"

#include <wx/filename.h>
#include <wx/menu.h>

void MyFileHistory::UseMenu(wxMenu* menu) {
    menu_ = menu;
    Rebuild();
}

void MyFileHistory::RemoveMenu(wxMenu* menu) {
    if (menu == menu_) menu_ = nullptr;
    separator_ = nullptr;
}

void MyFileHistory::AddFileToHistory(const wxString& file) {
    wxFileHistory::AddFileToHistory(file);
    Rebuild();
}

void MyFileHistory::RemoveFileFromHistory(size_t i) {
    wxFileHistory::RemoveFileFromHistory(i);
    Rebuild();
}

void MyFileHistory::AddFilesToMenu() { Rebuild(); }

void MyFileHistory::AddFilesToMenu(wxMenu* menu) {
    if (menu == menu_) Rebuild();
}

void MyFileHistory::Rebuild() {
    if (!menu_) return;
    const int base = GetBaseId();
    for (int id = base; id < base + GetMaxFiles(); ++id)
        if (menu_->FindChildItem(id)) menu_->Destroy(id);
    if (separator_) {
        menu_->Destroy(separator_);
        separator_ = nullptr;
    }
    if (GetCount() == 0) return;

    // In front of "E&xit" when the menu has it, else at the end.
    size_t pos = menu_->GetMenuItemCount();
    if (menu_->FindChildItem(wxID_EXIT, &pos) == nullptr) pos = menu_->GetMenuItemCount();
    for (size_t i = 0; i < GetCount(); ++i) {
        const wxFileName name(GetHistoryFile(i));
        wxString shown = name.GetFullName();
        shown.Replace("&", "&&");
        menu_->Insert(pos++, base + static_cast<int>(i),
                      wxString::Format("&%zu %s", i + 1, shown), GetHistoryFile(i));
    }
    if (pos < menu_->GetMenuItemCount()) separator_ = menu_->InsertSeparator(pos);
}
