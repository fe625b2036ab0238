#pragma once
// vdx::ConfigStore on a wxFileConfig in the user's configuration folder
// ($XDG_CONFIG_HOME or ~/.config, file "VendrixPlanner.conf").

#include "app/ConfigStore.h"

#include <wx/fileconf.h>

#include <memory>

class WxConfigStore : public vdx::ConfigStore {
public:
    // Opens (or prepares) the file at path; the folder is created when missing.
    explicit WxConfigStore(const wxString& path = DefaultPath());
    ~WxConfigStore() override;

    static wxString DefaultPath();

    bool ReadInt(const std::string& key, long& value) const override;
    bool ReadString(const std::string& key, std::string& value) const override;
    void WriteInt(const std::string& key, long value) override;
    void WriteString(const std::string& key, const std::string& value) override;
    bool DeleteAll() override;

    // Writes pending changes to the file; false when that failed.
    bool Flush();
    wxConfigBase& Config() { return *config_; }
    const wxString& Path() const { return path_; }

private:
    wxString path_;
    std::unique_ptr<wxFileConfig> config_;
};
