#include "mainwindow/ObjectKinds.h"

#include "platform/core/TextSemantics.h"

namespace bkl::mainwindow {
namespace {

struct KindTexts {
    const char* listType;
    const char* picker;
    const char* plural;
    const char* code;
};

const KindTexts& Texts(ObjectKind kind)
{
    static const std::array<KindTexts, 7> texts = {{
        {"Table", "Tables", "Tables", "TABL"},
        {"View", "Views", "Views", "VIEW"},
        {"Calendar", "Calendars", "Calendars", "CALE"},
        {"Calculation", "Calculations", "Calculations", "CALC"},
        {"Compensation Plan", "Compensation Plans", "Compensation Plans", "COMP"},
        {"Tailored Report", "Tailored Reports", "Tailored Reports", "TAIL"},
        // The picker has always spelled this kind "Presenter"; everything else says "Presentor".
        {"Presentor Report", "Presenter Reports", "Presentor Reports", "PRES"},
    }};
    return texts[static_cast<size_t>(kind)];
}

} // namespace

QString ListTypeText(ObjectKind kind) { return QString::fromLatin1(Texts(kind).listType); }
QString PickerText(ObjectKind kind) { return QString::fromLatin1(Texts(kind).picker); }
QString LoadingStatusText(ObjectKind kind) { return QStringLiteral("Loading %1...").arg(QLatin1String(Texts(kind).plural)); }
QString LoadAllLine(ObjectKind kind) { return QStringLiteral("* ") + QLatin1String(Texts(kind).plural); }
QString PreferenceCode(ObjectKind kind) { return QString::fromLatin1(Texts(kind).code); }

std::vector<ObjectKind> PreselectedKinds(const QString& defaultObjectSelection)
{
    std::vector<ObjectKind> kinds;
    if (Trim(defaultObjectSelection).isEmpty())
        return kinds;
    for (ObjectKind kind : kAllKinds)
        if (defaultObjectSelection.contains(PreferenceCode(kind), Qt::CaseSensitive))
            kinds.push_back(kind);
    return kinds;
}

} // namespace bkl::mainwindow
