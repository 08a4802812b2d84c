#include "platform/db/sqlite/TsqlLike.h"

#include <QCollator>
#include <QLocale>

namespace bkl::db::sqlite {

namespace {
QChar fold(QChar c) { return c.toCaseFolded(); }
} // namespace

TsqlLikePattern::TsqlLikePattern(const QString& pattern) : pattern_(pattern)
{
    const int n = pattern.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = pattern.at(i);
        Element e{Element::Kind::Char, fold(c), {}, false};
        if (c == QLatin1Char('%')) {
            e.kind = Element::Kind::AnyRun;
            if (!elements_.empty() && elements_.back().kind == Element::Kind::AnyRun)
                continue;
        } else if (c == QLatin1Char('_')) {
            e.kind = Element::Kind::One;
        } else if (c == QLatin1Char('[')) {
            // An unclosed "[" stands for itself.
            const int close = pattern.indexOf(QLatin1Char(']'), i + 2);
            if (close > i + 1) {
                QString body = pattern.mid(i + 1, close - i - 1);
                e.kind = Element::Kind::Set;
                if (body.startsWith(QLatin1Char('^')) && body.size() > 1) {
                    e.negated = true;
                    body.remove(0, 1);
                }
                for (int k = 0; k < body.size(); ++k) {
                    if (k + 2 < body.size() && body.at(k + 1) == QLatin1Char('-')) {
                        e.ranges.emplace_back(fold(body.at(k)), fold(body.at(k + 2)));
                        k += 2;
                    } else {
                        e.ranges.emplace_back(fold(body.at(k)), fold(body.at(k)));
                    }
                }
                i = close;
            }
        }
        elements_.push_back(std::move(e));
    }
}

bool TsqlLikePattern::matchesAt(const Element& e, QChar c) const
{
    switch (e.kind) {
    case Element::Kind::One: return true;
    case Element::Kind::Char: return e.ch == c;
    case Element::Kind::Set: {
        bool in = false;
        for (const auto& [lo, hi] : e.ranges) {
            // A range [a-z] spans the collation's order, not code points.
            in = lo == hi ? c == lo
                          : CompareCaseInsensitive(QString(c), QString(lo)) >= 0
                    && CompareCaseInsensitive(QString(c), QString(hi)) <= 0;
            if (in)
                break;
        }
        return in != e.negated;
    }
    case Element::Kind::AnyRun: break;
    }
    return false;
}

bool TsqlLikePattern::matches(const QString& text) const
{
    QString t;
    t.reserve(text.size());
    for (QChar c : text)
        t += fold(c);
    // Greedy matching with backtracking to the last %, enough since every other
    // element matches exactly one character.
    size_t p = 0;
    qsizetype s = 0;
    qsizetype starText = -1;
    size_t starElem = 0;
    while (s < t.size()) {
        if (p < elements_.size() && elements_[p].kind == Element::Kind::AnyRun) {
            starElem = ++p;
            starText = s;
        } else if (p < elements_.size() && matchesAt(elements_[p], t.at(s))) {
            ++p;
            ++s;
        } else if (starText >= 0) {
            p = starElem;
            s = ++starText;
        } else {
            return false;
        }
    }
    while (p < elements_.size() && elements_[p].kind == Element::Kind::AnyRun)
        ++p;
    return p == elements_.size();
}

namespace {
QStringView withoutTrailingBlanks(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    return QStringView(s).left(n);
}

bool plainAscii(QStringView s)
{
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (!((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == ' '))
            return false;
    }
    return true;
}
} // namespace

int CompareCaseInsensitive(const QString& a, const QString& b)
{
    const QStringView x = withoutTrailingBlanks(a);
    const QStringView y = withoutTrailingBlanks(b);
    // Letters, digits and blanks order the same way under the collator as by their
    // lower-case code (blank < digits < letters), which is much faster.
    if (plainAscii(x) && plainAscii(y))
        return x.compare(y, Qt::CaseInsensitive);
    static QCollator collator = [] {
        QCollator c(QLocale(QLocale::English, QLocale::UnitedStates));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(false);
        c.setIgnorePunctuation(false);
        return c;
    }();
    const int r = collator.compare(x, y);
    if (r != 0)
        return r;
    // Texts the collator calls equal but that differ beyond case stay distinct.
    return x.compare(y, Qt::CaseInsensitive);
}

} // namespace bkl::db::sqlite
