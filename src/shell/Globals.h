#pragma once
// Process-wide state shared by the windows and procedures: the source-model
// connection and its settings, the model key of the log, the grid-lines
// preference and the preview/export progress counters.
#include "platform/db/Connection.h"

#include <QString>

// Connection to the source model; the login opens it, Switch Model releases it
// (assigning a fresh, unopened Connection).
extern bkl::db::Connection g_cnModel;

extern QString g_sServerHost;
extern QString g_sUserName;
extern QString g_sPassword;
extern QString g_sModelName;
extern bool g_bWindowsAuth;

// Server host, "#" and model name; second field of every log line; empty before the first login.
extern QString g_sModelKey;

// Grid-lines preference, read once at start-up.
extern bool g_bShowGridLines;

// Object total and done count of a running preview or export.
extern long g_lPreviewTotal;
extern long g_lPreviewDone;
