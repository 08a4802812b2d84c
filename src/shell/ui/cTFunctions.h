#pragma once
#include <QString>

// Placeholder until the timed progress window lands.
class cTFunctions {
public:
    // Shows the timed progress window modal and returns when it has closed itself.
    int showProgress(const QString& showLabel, const QString& showTitle, int iProgress, int iApp, int iScrolling,
                     bool bShowInc);
};
