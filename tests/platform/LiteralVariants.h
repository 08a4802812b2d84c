#pragma once
// Statements derived from a statement by replacing one of its literals, for checks
// that compare two ways of running the same text.
#include <QString>
#include <QStringList>

namespace bkl::test {

// The statement once for each of its literals and each stand-in: that literal
// replaced by a whole number, a negative one, a parenthesised one, or a text. Empty
// when the statement cannot be split into tokens.
QStringList LiteralVariants(const QString& sql);

} // namespace bkl::test
