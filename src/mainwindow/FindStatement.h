#pragma once
// The listing statement of one kind for a find run.
#include "mainwindow/ObjectKinds.h"

#include <QString>

namespace bkl::mainwindow {

// The SELECT that lists the objects of `kind` as ColName (the item text) and
// ColType (the list type text), ordered by ColName.
//
// A find text that is blank (spaces only) gives the kind's unfiltered
// statement. Otherwise the name column is filtered by the text exactly as
// typed (not trimmed): Whole Word tests equality, else containment with LIKE;
// without Match Case both sides are upper-cased. Single quotes in the text are
// doubled; %, _ and [ keep their LIKE meaning on purpose.
QString FindStatement(ObjectKind kind, const QString& findText, bool wholeWord, bool matchCase);

} // namespace bkl::mainwindow
