#include "shell/ui/UnloadingDialog.h"

namespace bkl {

void UnloadingDialog::done(int result)
{
    if (!m_unloaded) {
        m_unloaded = true;
        Form_Unload();
    }
    QDialog::done(result);
}

} // namespace bkl
