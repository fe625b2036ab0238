#include "app/WxConfigStore.h"

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/utils.h>

WxConfigStore::WxConfigStore(const wxString& path) : path_(path) {
    const wxFileName file(path_);
    if (!file.DirExists()) {
        wxLogNull quiet;
        wxFileName::Mkdir(file.GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    }
    config_ = std::make_unique<wxFileConfig>("VendrixPlanner", wxEmptyString, path_,
                                             wxEmptyString, wxCONFIG_USE_LOCAL_FILE);
    // Paths such as the ticket format's are stored as they are, "$" included.
    config_->SetExpandEnvVars(false);
}

WxConfigStore::~WxConfigStore() = default;

wxString WxConfigStore::DefaultPath() {
    wxString dir;
    if (!wxGetEnv("XDG_CONFIG_HOME", &dir) || !wxFileName(dir).IsAbsolute())
        dir = wxFileName::GetHomeDir() + "/.config";
    return wxFileName(dir, "VendrixPlanner.conf").GetFullPath();
}

// Read as text and parsed whole: the library's own number reading keeps what it
// could parse of "12abc" and reports the rest as an error.
bool WxConfigStore::ReadInt(const std::string& key, long& value) const {
    std::string text;
    return ReadString(key, text) && vdx::ParseConfigNumber(text, value);
}

bool WxConfigStore::ReadString(const std::string& key, std::string& value) const {
    wxString text;
    if (!config_->Read(wxString::FromUTF8(key), &text)) return false;
    value = text.utf8_string();
    return true;
}

void WxConfigStore::WriteInt(const std::string& key, long value) {
    config_->Write(wxString::FromUTF8(key), value);
}

void WxConfigStore::WriteString(const std::string& key, const std::string& value) {
    config_->Write(wxString::FromUTF8(key), wxString::FromUTF8(value));
}

bool WxConfigStore::DeleteAll() {
    wxLogNull quiet; // the caller reports the outcome
    return config_->DeleteAll();
}

bool WxConfigStore::Flush() {
    wxLogNull quiet;
    return config_->Flush();
}
