#include "platform/db/sqlite/TsqlLike.h"

#include <QCollator>
#include <QLocale>

#include <optional>

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

// Texts of letters, digits and blanks only (nearly every name in a model) order the
// same way under the collator as by their lower-case code (blank < digits < letters),
// which is much faster. Returns nullopt when either text holds anything else.
template <typename Char>
std::optional<int> comparePlainAscii(const Char* a, qsizetype na, const Char* b, qsizetype nb)
{
    const auto plain = [](const Char* s, qsizetype n) {
        for (qsizetype i = 0; i < n; ++i) {
            const auto u = static_cast<char16_t>(s[i]);
            if (!((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == ' '))
                return false;
        }
        return true;
    };
    while (na > 0 && a[na - 1] == Char(' '))
        --na;
    while (nb > 0 && b[nb - 1] == Char(' '))
        --nb;
    if (!plain(a, na) || !plain(b, nb))
        return std::nullopt;
    const auto lower = [](Char c) { return c >= Char('A') && c <= Char('Z') ? int(c) + ('a' - 'A') : int(c); };
    for (qsizetype i = 0; i < qMin(na, nb); ++i)
        if (const int d = lower(a[i]) - lower(b[i]))
            return d;
    return na < nb ? -1 : na > nb ? 1 : 0;
}

QStringView withoutTrailingBlanks(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    return QStringView(s).left(n);
}

} // namespace

int CompareCaseInsensitive(const QString& a, const QString& b)
{
    if (const auto plain = comparePlainAscii(a.utf16(), a.size(), b.utf16(), b.size()))
        return *plain;
    const QStringView x = withoutTrailingBlanks(a);
    const QStringView y = withoutTrailingBlanks(b);
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

int CompareCaseInsensitiveUtf8(const char* a, qsizetype na, const char* b, qsizetype nb)
{
    if (const auto plain = comparePlainAscii(reinterpret_cast<const unsigned char*>(a), na,
                                             reinterpret_cast<const unsigned char*>(b), nb))
        return *plain;
    return CompareCaseInsensitive(QString::fromUtf8(a, na), QString::fromUtf8(b, nb));
}

} // namespace bkl::db::sqlite
