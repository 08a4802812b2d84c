#include "platform/db/sqlite/TsqlLike.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

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

const QCollator& serverCollator()
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::English, QLocale::UnitedStates));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(false);
        c.setIgnorePunctuation(false);
        c.compare(QStringLiteral("a"), QStringLiteral("b")); // set up now: later calls only read it, from any thread
        return c;
    }();
    return collator;
}

// The collator's order of the printable ASCII characters (a letter and its capital
// share a rank). Texts made of them only (nearly every name in a model) compare as the
// collator compares them by these ranks, character by character, which is much faster.
struct AsciiRanks {
    std::array<uchar, 128> rank{};
    AsciiRanks()
    {
        std::vector<char16_t> chars;
        for (char16_t c = 0x20; c < 0x7f; ++c)
            chars.push_back(c);
        const auto cmp = [](char16_t a, char16_t b) {
            return serverCollator().compare(QStringView(&a, 1), QStringView(&b, 1));
        };
        std::stable_sort(chars.begin(), chars.end(), [&](char16_t a, char16_t b) { return cmp(a, b) < 0; });
        uchar r = 1;
        for (size_t i = 0; i < chars.size(); ++i) {
            if (i > 0 && cmp(chars[i - 1], chars[i]) != 0)
                ++r;
            rank[chars[i]] = r;
        }
    }
};

// Returns nullopt when either text holds anything but printable ASCII.
template <typename Char>
std::optional<int> comparePlainAscii(const Char* a, qsizetype na, const Char* b, qsizetype nb)
{
    static const AsciiRanks ranks;
    while (na > 0 && a[na - 1] == Char(' '))
        --na;
    while (nb > 0 && b[nb - 1] == Char(' '))
        --nb;
    const auto rankOf = [](Char c) { return static_cast<char16_t>(c) < 128 ? ranks.rank[static_cast<char16_t>(c)] : 0; };
    const qsizetype n = qMin(na, nb);
    qsizetype i = 0;
    int d = 0;
    for (; i < n; ++i) {
        const int ra = rankOf(a[i]);
        const int rb = rankOf(b[i]);
        if (ra == 0 || rb == 0)
            return std::nullopt;
        if (ra != rb) {
            d = ra - rb;
            break;
        }
    }
    // The rest of both texts must be plain too, or the collator decides.
    for (qsizetype k = i; k < na; ++k)
        if (rankOf(a[k]) == 0)
            return std::nullopt;
    for (qsizetype k = i; k < nb; ++k)
        if (rankOf(b[k]) == 0)
            return std::nullopt;
    if (d != 0)
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
    const int r = serverCollator().compare(x, y);
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
