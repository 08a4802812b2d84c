#include "platform/core/Escaping.h"

#include <algorithm>

namespace bkl {

QString SqlText(const QString& value)
{
    QString out = value;
    out.replace(QLatin1Char('\''), QLatin1String("''"));
    return out;
}

QString HtmlText(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (QChar c : value) {
        switch (c.unicode()) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        case '"': out += QLatin1String("&quot;"); break;
        case '\'': out += QLatin1String("&#39;"); break;
        default: out += c;
        }
    }
    return out;
}

bool IsControlCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u < 0x20 && u != '\t' && u != '\n' && u != '\r') || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029;
}

QString VisibleText(const QString& text)
{
    if (std::none_of(text.begin(), text.end(), IsControlCharacter))
        return text;
    QString out;
    out.reserve(text.size() + 16);
    for (QChar c : text) {
        const int u = c.unicode();
        if (!IsControlCharacter(c))
            out += c;
        else if (u == 0)
            out += QLatin1String("\\0");
        else
            out += QLatin1String(u > 0xFF ? "\\u" : "\\x")
                + QString::number(u, 16).toUpper().rightJustified(u > 0xFF ? 4 : 2, QLatin1Char('0'));
    }
    return out;
}

} // namespace bkl
