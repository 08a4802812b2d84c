#include "shell/ui/Main.h"

#include "shell/StartUp.h"
#include "shell/ui/frmBKLSplash.h"

namespace bkl {

void Main()
{
    PrepareStartUp();
    auto* splash = new frmBKLSplash;
    splash->show();
}

} // namespace bkl
