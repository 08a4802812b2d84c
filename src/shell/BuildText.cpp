#include "shell/BuildText.h"

namespace bkl {

QString BuildText()
{
    return QStringLiteral("Build ") + QString::number(BKL_VERSION_MAJOR) + QLatin1Char('.')
        + QString::number(BKL_VERSION_MINOR);
}

} // namespace bkl
