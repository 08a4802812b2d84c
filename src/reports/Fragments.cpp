#include "reports/Fragments.h"

#include "platform/core/TextSemantics.h"

#include <QStringList>

namespace bkl::reports {

namespace {
QString fontOpen(const char* blanks)
{
    return QStringLiteral("<font") + QLatin1String(blanks) + QStringLiteral("face='") + QLatin1String(kFontFace)
        + QStringLiteral("' size='") + QLatin1String(kFontSize) + QStringLiteral("'>");
}
} // namespace

QString FontOpen() { return fontOpen("  "); }
QString ListFontOpen() { return fontOpen(" "); }

QString Row(const QString& cells) { return QLatin1String(kRowOpen) + cells + QLatin1String(kRowClose); }

QString LabelCell(const QString& label, const QString& width)
{
    return QStringLiteral("<td width='") + width + QStringLiteral("' ><b>") + FontOpen() + label
        + QStringLiteral("</font></b></td>");
}

QString DataCell(const QString& value, const QString& width)
{
    return QStringLiteral("<td width='") + width + QStringLiteral("' >") + FontOpen() + value
        + QStringLiteral("</font></td>");
}

QString ValueCell(const QString& value, ValuePadding padding)
{
    const bool lead = padding == ValuePadding::Both || padding == ValuePadding::LeadingOnly;
    const bool trail = padding == ValuePadding::Both || padding == ValuePadding::TrailingOnly;
    return QStringLiteral("<td width='80%'>") + (lead ? QLatin1String(kNbsp) : QLatin1String()) + FontOpen() + value
        + (trail ? QLatin1String(kNbsp) : QLatin1String()) + QStringLiteral("</font></td>");
}

QString BoldValueCell(const QString& value)
{
    return QStringLiteral("<td width='80%' ><b>") + FontOpen() + value + QStringLiteral("</font></b></td>");
}

QString ListCell(const QString& value, const QString& closing, const QString& lead)
{
    return QStringLiteral("<td > ") + ListFontOpen() + lead + value + closing + QStringLiteral("</font></td>");
}

QString ListTable(const QStringList& values, const QString& closing)
{
    QString html = QLatin1String(kListTableOpen);
    for (const QString& v : values)
        html += Row(ListCell(v, closing));
    return html + QLatin1String(kTableClose);
}

QString SectionSeparator(int width) { return QString(width, QLatin1Char('-')) + QLatin1String(kCrLf); }

QString CaptionLine(const QString& caption, const QString& name, int lineEnds)
{
    return caption + name + QString(QLatin1String(kCrLf)).repeated(lineEnds);
}

QString ScalarSection(const QString& label, const QString& value)
{
    return label + value + QLatin1String(kCrLf) + QLatin1String(kCrLf);
}

QString FixedColumn(const QString& value, int width)
{
    if (value.size() <= width)
        return value + QString(width - value.size(), QLatin1Char(' '));
    return value + QLatin1Char('\t');
}

RenderError::RenderError(long number, const QString& description)
    : std::runtime_error(description.toStdString()), number_(number), description_(description)
{
}

ItemTextParts SplitItemText(const QString& itemText)
{
    ItemTextParts parts;
    parts.text = Trim(itemText);
    // 1-based positions, 0 when absent, as the id length below is worked out from them.
    const qsizetype p = parts.text.indexOf(QLatin1Char('(')) + 1;
    const qsizetype q = parts.text.indexOf(QLatin1Char(')')) + 1;
    const qsizetype idLength = q - p - 1;
    if (idLength < 0)
        throw RenderError(kInvalidArgumentNumber, QString::fromLatin1(kInvalidArgumentText));
    parts.id = Trim(parts.text.mid(p, idLength));
    parts.name = Trim(parts.text.mid(q));
    return parts;
}

} // namespace bkl::reports
