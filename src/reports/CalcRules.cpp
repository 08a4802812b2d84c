#include "reports/CalcRules.h"

#include "platform/core/Escaping.h"

#include <stdexcept>

namespace bkl::reports {

QString ModelText(const QString& text, RenderMode mode) { return mode == RenderMode::Html ? HtmlText(text) : text; }

void CountOne16(int& counter)
{
    if (++counter > 32767)
        throw std::overflow_error("16-bit counter overflow");
}

} // namespace bkl::reports
