#include "controls/Sound.h"

#include "app/VdxApp.h"

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/sound.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

namespace vdx::gui {

namespace {

SoundHook& Hook() {
    static SoundHook hook;
    return hook;
}

wxString DataFolder() {
    if (const VdxApp* app = VdxApp::Get()) return app->DataDir();
    return VdxApp::DataDirFor(wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath());
}

// Loaded once and kept for the whole run: an asynchronous playback may still
// be reading the samples when the caller has long returned.
wxSound* BellsSound() {
    static wxSound* sound = nullptr;
    static bool tried = false;
    if (!tried) {
        tried = true;
        const wxString path = BellsSoundPath();
        if (wxFileName::FileExists(path)) {
            auto* loaded = new wxSound;
            if (loaded->Create(path) && loaded->IsOk())
                sound = loaded;
            else
                delete loaded;
        }
    }
    return sound;
}

} // namespace

wxString BellsSoundPath() { return wxFileName(DataFolder(), "BELLS.WAV").GetFullPath(); }

SoundHook SetWarningSoundHook(SoundHook hook) {
    SoundHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

void PlayBellsSound() {
    if (Hook()) {
        Hook()();
        return;
    }
    // No sound device (a server, a virtual display) must not become a message.
    wxLogNull quiet;
    wxSound* sound = BellsSound();
    if (!sound || !sound->Play(wxSOUND_ASYNC)) wxBell();
}

} // namespace vdx::gui
