#pragma once
// The two escaping helpers every statement and page goes through.
#include <QString>

namespace bkl {

// Text for a T-SQL string literal: each ' doubled. The caller writes the quotes
// around it, so the statement text is otherwise exactly what it always was.
// LIKE wildcards (% _ [) are left alone on purpose: users type them.
QString SqlText(const QString& value);

// Text for an HTML page: & < > " ' escaped, one-to-one, so equal texts stay equal.
QString HtmlText(const QString& value);

} // namespace bkl
