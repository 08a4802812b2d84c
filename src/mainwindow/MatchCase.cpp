#include "mainwindow/MatchCase.h"

#include "platform/core/TextSemantics.h"

#include <QRegularExpression>

namespace bkl::mainwindow {
namespace {

QString Char(QChar c) { return QStringLiteral("\\x{%1}").arg(c.unicode(), 0, 16); }

// The LIKE pattern as a regular expression over the whole name.
QString LikeToRegex(const QString& pattern)
{
    QString re;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        const qsizetype close = c == QLatin1Char('[') ? pattern.indexOf(QLatin1Char(']'), i + 2) : -1;
        if (c == QLatin1Char('%')) {
            re += QStringLiteral(".*");
        } else if (c == QLatin1Char('_')) {
            re += QLatin1Char('.');
        } else if (close > i + 1) { // a set; an unclosed "[" stands for itself
            QString body = pattern.mid(i + 1, close - i - 1);
            const bool negated = body.size() > 1 && body.startsWith(QLatin1Char('^'));
            if (negated)
                body.remove(0, 1);
            QString set;
            for (qsizetype k = 0; k < body.size(); ++k) {
                if (k + 2 < body.size() && body.at(k + 1) == QLatin1Char('-')) {
                    if (body.at(k) <= body.at(k + 2)) // a reversed range holds nothing
                        set += Char(body.at(k)) + QLatin1Char('-') + Char(body.at(k + 2));
                    k += 2;
                } else {
                    set += Char(body.at(k));
                }
            }
            re += set.isEmpty() ? (negated ? QStringLiteral(".") : QStringLiteral("(?!)"))
                                : QLatin1Char('[') + (negated ? QStringLiteral("^") : QString()) + set + QLatin1Char(']');
            i = close;
        } else {
            re += Char(c);
        }
    }
    return re;
}

} // namespace

bool MatchesCase(const QString& name, const QString& text, bool wholeWord, bool containing)
{
    if (wholeWord)
        return RTrim(name) == RTrim(text);
    const QString pattern = containing ? QLatin1Char('%') + text + QLatin1Char('%') : text;
    // One find run tests every row against the same pattern: keep its compiled form.
    thread_local QString lastPattern; // the empty pattern matches the empty name only
    thread_local QRegularExpression lastRegex(QRegularExpression::anchoredPattern(QString()));
    if (pattern != lastPattern) {
        lastRegex = QRegularExpression(QRegularExpression::anchoredPattern(LikeToRegex(pattern)),
                                       QRegularExpression::DotMatchesEverythingOption);
        lastPattern = pattern;
    }
    return lastRegex.match(name).hasMatch();
}

bool FoundRowMatches(ObjectKind kind, const QString& itemText, const QString& findText, bool wholeWord,
                     bool matchCase)
{
    if (!matchCase || Trim(findText).isEmpty())
        return true;
    QString name = itemText;
    if (kind == ObjectKind::Calendars || kind == ObjectKind::CompensationPlans || kind == ObjectKind::TailoredReports) {
        name = itemText.mid(itemText.indexOf(QLatin1Char(')')) + 1);
        if (name.startsWith(QLatin1Char(' ')))
            name.remove(0, 1);
    }
    return MatchesCase(name, findText, wholeWord);
}

} // namespace bkl::mainwindow
