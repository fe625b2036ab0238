#pragma once
// The warning sound of a refused action: "BELLS.WAV" from the program folder,
// played without waiting; the system bell when it cannot be played.

#include <wx/string.h>

#include <functional>

namespace vdx::gui {

// Starts the warning sound and returns at once; never shows or logs an error.
void PlayBellsSound();

// Where the sound file is looked for.
wxString BellsSoundPath();

// Replaces the sound by hook (empty: the real sound again); returns the
// previous hook. Lets tests see that a sound was asked for.
using SoundHook = std::function<void()>;
SoundHook SetWarningSoundHook(SoundHook hook);

} // namespace vdx::gui
