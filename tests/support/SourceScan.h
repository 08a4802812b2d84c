#pragma once
// Lines of the program's sources (src/) that match a pattern, for tests that keep
// one way of doing a thing (turning the event loop, running a window modal).
#include <QRegularExpression>
#include <QStringList>

namespace bkl::test {

// "<path from src/>:<line>" of every line of src/*.cpp and src/*.h that matches
// `pattern`, comment lines left out, in files whose path ends with none of `except`.
QStringList SourceLinesMatching(const QRegularExpression& pattern, const QStringList& except);

} // namespace bkl::test
