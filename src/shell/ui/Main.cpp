#include "shell/ui/Main.h"

#include "shell/StartUp.h"
#include "shell/ui/frmBKLSplash.h"

namespace bkl {

bool Main()
{
    if (!PrepareStartUp())
        return false;
    auto* splash = new frmBKLSplash;
    splash->show();
    return true;
}

} // namespace bkl
