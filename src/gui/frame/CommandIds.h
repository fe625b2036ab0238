#pragma once
// The program's own command and window ids. The framework's standard ids are
// used where one exists (wxID_OPEN ... wxID_EXIT, wxID_PRINT, wxID_PRINT_SETUP,
// wxID_PREVIEW, wxID_ABOUT, wxID_HELP_CONTENTS), so that the document manager
// handles them as it should.

namespace vdx::gui {

enum CommandId : int {
    // Window menu: five commands, then one item per registered window.
    kIdWindowMinimize = 7066,
    kIdWindowMinimizeAll = 7067,
    kIdWindowZoom = 7068,
    kIdWindowClose = 7069,
    kIdWindowNext = 7070,
    kIdWindowFirst = 7071,
    kIdWindowLast = 7170,

    kIdSaveAsText = 7173,
    kIdCalculate = 7174,
    kIdCharts = 7175,
    kIdStopHighlighting = 7176,
    kIdInput = 7177,
    kIdOptions = 7178,
    kIdConditions = 7179,
    kIdStatistics = 7180,
    kIdNextTicket = 7187,
    kIdPreviousTicket = 7188,
    kIdLastTicket = 7189,
    kIdFirstTicket = 7190,
    kIdNextLine = 7191,
    kIdPreviousLine = 7192,
    kIdDefaultOptions = 7193,
    kIdDefaultConditions = 7194,
    kIdPrintTickets = 7195,
    kIdSelectFormat = 7196,
    kIdFormatEditor = 7197,
    kIdExample = 7199,
    kIdShowLog = 7200,
    kIdImportText = 7202,
    kIdLanguage = 7203,
    kIdMoreOptions = 7204,

    // Format editor: its value commands, its help and its frame.
    kIdFormatInsertDirection = 7207,
    kIdFormatJustification = 7208,
    kIdFormatOutputRatio = 7209,
    kIdFormatMatches = 7210,
    kIdFormatLines = 7211,
    kIdFormatTipsOrder = 7212,
    kIdFormatSizeOfX = 7213,
    kIdFormatSpaceBetweenXs = 7214,
    kIdFormatSides = 7215,
    kIdFormatMatchGaps = 7216,
    kIdFormatLineGaps = 7217,
    kIdFormatEditorHelp = 7218,

    kIdMainFrame = 7219,
    kIdPoolsChildFrame = 7220,
    kIdTextChildFrame = 7221,
    kIdFormatEditorFrame = 7228,
};

// The window menu lists at most this many windows (ids kIdWindowFirst..kIdWindowLast).
constexpr int kMaxListedWindows = kIdWindowLast - kIdWindowFirst + 1;

} // namespace vdx::gui
