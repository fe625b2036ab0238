#pragma once
// The program's own command and window ids (the framework's standard ids are
// used where one exists: wxID_OPEN 5000 ... wxID_EXIT 5006).

namespace vdx::gui {

enum CommandId : int {
    kIdExample = 7199,
    kIdShowLog = 7200,
    kIdMainFrame = 7219,
    kIdPoolsChildFrame = 7220,
    kIdTextChildFrame = 7221,
};

} // namespace vdx::gui
