#pragma once
// The two user preferences in the per-user settings store, section
// "USERPREFERENCES": "ShowGridLines" ("Y"/"N", default "Y") and
// "DefaultObjectSelection" (";"-prefixed kind codes, default "").
#include <QString>
#include <QStringList>

namespace bkl {

inline constexpr char kPreferencesSection[] = "USERPREFERENCES";
inline constexpr char kShowGridLinesKey[] = "ShowGridLines";
inline constexpr char kDefaultObjectSelectionKey[] = "DefaultObjectSelection";

// The kind list of the preferences, in list order: "Tables" ... "Presenter Reports".
QStringList PreferenceKindTexts();

// A kind's code: the first four letters of its upper-cased list text ("TABL", "CALC").
QString PreferenceKindCode(const QString& listText);

// True exactly when the stored "ShowGridLines", outer blanks removed, is "Y".
bool ReadShowGridLines();

// The stored "DefaultObjectSelection" ("" when absent).
QString ReadDefaultObjectSelection();

// Whether a kind counts as selected: the selection, outer blanks removed, is not
// empty and contains the kind's code (case-sensitive).
bool KindSelected(const QString& selection, const QString& listText);

// ";" and the code of each given kind, in the given order.
QString DefaultObjectSelectionText(const QStringList& tickedListTexts);

// Writes both keys; false when the store could not be written.
bool SaveUserPreferences(bool showGridLines, const QString& defaultObjectSelection);

} // namespace bkl
