#pragma once
// The seven kinds of model objects the object list finds, in the fixed kind
// order, with the texts each kind is written as in the object-list window.
#include <QString>
#include <array>
#include <vector>

namespace bkl::mainwindow {

enum class ObjectKind { Tables, Views, Calendars, Calculations, CompensationPlans, TailoredReports, PresentorReports };

// Every kind, in the fixed kind order.
inline constexpr std::array<ObjectKind, 7> kAllKinds = {
    ObjectKind::Tables,       ObjectKind::Views,           ObjectKind::Calendars,       ObjectKind::Calculations,
    ObjectKind::CompensationPlans, ObjectKind::TailoredReports, ObjectKind::PresentorReports};

// "Table", "View", ... "Presentor Report": the TYPE column of the object list.
QString ListTypeText(ObjectKind kind);
// "Tables", "Views", ... "Presenter Reports": the item of the kind picker.
QString PickerText(ObjectKind kind);
// "Loading Tables...", ...: shown while the kind is being listed.
QString LoadingStatusText(ObjectKind kind);
// "* Tables", ...: the kind's line in the load-all question.
QString LoadAllLine(ObjectKind kind);
// "TABL", "VIEW", "CALE", "CALC", "COMP", "TAIL", "PRES": code in "DefaultObjectSelection".
QString PreferenceCode(ObjectKind kind);

// The kinds a "DefaultObjectSelection" value pre-selects: each kind whose code
// occurs in the value (case-sensitive); none when the value is blank.
std::vector<ObjectKind> PreselectedKinds(const QString& defaultObjectSelection);

} // namespace bkl::mainwindow
