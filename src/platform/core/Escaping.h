#pragma once
// The escaping helpers every statement, page, message and log line goes through.
#include <QString>

namespace bkl {

// Text for a T-SQL string literal: each ' doubled. The caller writes the quotes
// around it, so the statement text is otherwise exactly what it always was.
// LIKE wildcards (% _ [) are left alone on purpose: users type them.
QString SqlText(const QString& value);

// Text for an HTML page: & < > " ' escaped, one-to-one, so equal texts stay equal.
QString HtmlText(const QString& value);

// The characters that can end a line or a statement unseen, or show as nothing: the
// C0 controls except TAB, CR and LF, DEL, the C1 controls (U+0080-U+009F, NEL among
// them) and the Unicode line and paragraph separators (U+2028, U+2029).
bool IsControlCharacter(QChar c);

// Text for a message box or a log line: each control character (IsControlCharacter)
// written visibly, NUL as \0, U+2028 and U+2029 as \u2028 and \u2029, the others
// as \x and two hex digits (\x0B). TAB, CR and LF stay. Applying it twice changes
// nothing more.
QString VisibleText(const QString& text);

} // namespace bkl
