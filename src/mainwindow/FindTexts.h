#pragma once
// The texts a find run shows the user: the load-all question, the filter
// caption and the result count.
#include "mainwindow/ObjectKinds.h"

#include <QString>
#include <vector>

namespace bkl::mainwindow {

// Title of the find run's message boxes.
inline constexpr char kLoadObjectsTitle[] = "Load Objects";
// Shown when no kind is selected.
inline constexpr char kNoKindSelected[] = "Atleast one object type must be selected !";

// The question asked before a find with a blank text lists every object of the
// selected kinds (given in the fixed kind order), one "* <Kinds>" line each.
QString LoadAllQuestion(const std::vector<ObjectKind>& kinds);

// "Filter: <All Objects>" or "Filter: <Selected Objects>", with
// ";Name = \"<text>\"" (Whole Word) or ";Name contains \"<text>\"" when the
// text is not blank; the text as typed. Longer than 60 characters: the first
// 56 and " ...".
QString FilterCaption(bool allKindsSelected, const QString& findText, bool wholeWord);

// "<n> Object(s) found".
QString FoundCountText(long long rows);

} // namespace bkl::mainwindow
