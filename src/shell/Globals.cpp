#include "shell/Globals.h"

bkl::db::Connection g_cnModel;
QString g_sServerHost;
QString g_sUserName;
QString g_sPassword;
QString g_sModelName;
bool g_bWindowsAuth = false;
QString g_sModelKey;
bool g_bShowGridLines = true;
long g_lPreviewTotal = 0;
long g_lPreviewDone = 0;
