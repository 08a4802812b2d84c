#pragma once
#include <QString>

class frmProgress;

// A timed, modal wait window: showProgress shows frmProgress until its bar has
// advanced by random steps to 92 or more. Each object owns its own window.
class cTFunctions {
public:
    cTFunctions();
    ~cTFunctions();
    cTFunctions(const cTFunctions&) = delete;
    cTFunctions& operator=(const cTFunctions&) = delete;

    // Message and caption: trimmed, at most 100 characters. iProgress: tick
    // interval in ms (0 gives 100). iApp: 0 three-dimensional bar, else flat.
    // iScrolling: 0 segmented fill, else smooth. bShowInc: the caption shows the
    // value. Returns 0 when the window ran to its end, 1 when the call failed
    // (a negative interval returns 1 at once).
    int showProgress(const QString& showLabel, const QString& showTitle, int iProgress, int iApp, int iScrolling,
                     bool bShowInc);

    frmProgress* m_frm = nullptr;
};
