#pragma once
// The plain text the web engine puts on the clipboard for Select All and Copy of
// a report page, made from the page's HTML without laying it out: a table's cells
// are joined by tabs and its rows by line ends (LF), blocks (paragraphs, divisions,
// tables) start new lines and a paragraph leaves an empty line after it, runs of
// blanks in the markup are one space and none at the start or end of a line, a
// no-break space is a space, and what is not shown (the head, scripts, styles,
// elements styled display:none) is left out.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace bkl {

// The text of the page `html` (UTF-8).
QString PageText(QByteArrayView html);

// A part of a page as the engine copies a selection of it.
struct PageSpan {
    QString text;
    QByteArray html;
};

// The part of the page `html` from the character at byte `from` up to byte `to` (just
// after the part's last character): its text, cut from the page's text (no line ends or
// blanks before its first character or after its last), and its HTML: the page's markup
// between, after the start tags of the elements open at `from` and before the end tags
// of those open at `to`, so that the part's cells stay in their rows and tables.
PageSpan PageTextBetween(QByteArrayView html, qsizetype from, qsizetype to);

} // namespace bkl
