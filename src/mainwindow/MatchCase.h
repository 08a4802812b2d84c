#pragma once
// Match Case as the user means it. The find statements compare a name "as
// stored" when Match Case is ticked, but a server with the default collation
// (and the embedded engine, which behaves like one) ignores letter case there;
// so each row the statement returns is checked again here, with case.
#include "mainwindow/ObjectKinds.h"

#include <QString>

namespace bkl::mainwindow {

// Whether `name` matches the typed text with letter case. Whole Word: the name
// equals the text (trailing blanks aside, as the server compares). Otherwise
// the name is LIKE the text, with "%" added on both sides when `containing`;
// %, _ and [...] ([a-z], [^a]) keep their pattern meaning.
bool MatchesCase(const QString& name, const QString& text, bool wholeWord, bool containing = true);

// Whether a row of a find run stands: every row without Match Case or with a
// blank text; else the row's name (its item text after "(id) " for calendars,
// compensation plans and tailored reports) must match the text with case.
bool FoundRowMatches(ObjectKind kind, const QString& itemText, const QString& findText, bool wholeWord,
                     bool matchCase);

} // namespace bkl::mainwindow
