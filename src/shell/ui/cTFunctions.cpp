#include "shell/ui/cTFunctions.h"

int cTFunctions::showProgress(const QString&, const QString&, int, int, int, bool) { return 0; }
