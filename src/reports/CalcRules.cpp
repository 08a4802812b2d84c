#include "reports/CalcRules.h"

#include "platform/core/Escaping.h"

#include <stdexcept>

namespace bkl::reports {

QString ModelText(const QString& text, RenderMode mode) { return mode == RenderMode::Html ? HtmlText(text) : text; }

SectionFailure SectionFailureFor(RenderMode mode, const SectionFailure& html, const char* textName)
{
    return mode == RenderMode::Html ? html : SectionFailure{QLatin1String(textName), QString()};
}

void CountOne16(int& counter)
{
    if (++counter > 32767)
        throw std::overflow_error("16-bit counter overflow");
}

} // namespace bkl::reports
