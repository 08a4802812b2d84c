#include "platform/core/TextSemantics.h"

#include <QLocale>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace bkl {

QString LTrim(const QString& s)
{
    qsizetype i = 0;
    while (i < s.size() && s.at(i) == QLatin1Char(' '))
        ++i;
    return s.mid(i);
}

QString RTrim(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    return s.left(n);
}

QString Trim(const QString& s) { return LTrim(RTrim(s)); }

QString UCase(const QString& s) { return s.toUpper(); }

double Val(const QString& text)
{
    // Blanks, tabs and line feeds are skipped anywhere in the leading number,
    // as the platform's Val does ("1 2" is 12).
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            s.append(c);
    if (s.startsWith(QLatin1String("&H"), Qt::CaseInsensitive) || s.startsWith(QLatin1String("&O"), Qt::CaseInsensitive)) {
        const int base = s.at(1).toUpper() == QLatin1Char('H') ? 16 : 8;
        qsizetype i = 2;
        QString digits;
        while (i < s.size()) {
            bool ok = false;
            QString(s.at(i)).toInt(&ok, base);
            if (!ok)
                break;
            digits.append(s.at(i++));
        }
        return digits.isEmpty() ? 0.0 : static_cast<double>(digits.toLongLong(nullptr, base));
    }
    qsizetype i = 0;
    if (i < s.size() && (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-')))
        ++i;
    const qsizetype digitsStart = i;
    while (i < s.size() && s.at(i).isDigit() && s.at(i).unicode() < 128)
        ++i;
    if (i < s.size() && s.at(i) == QLatin1Char('.')) {
        ++i;
        while (i < s.size() && s.at(i).isDigit() && s.at(i).unicode() < 128)
            ++i;
    }
    if (i == digitsStart || (i == digitsStart + 1 && s.at(digitsStart) == QLatin1Char('.')))
        return 0.0;
    qsizetype end = i;
    if (i < s.size() && (s.at(i) == QLatin1Char('e') || s.at(i) == QLatin1Char('E') || s.at(i) == QLatin1Char('d') || s.at(i) == QLatin1Char('D'))) {
        qsizetype j = i + 1;
        if (j < s.size() && (s.at(j) == QLatin1Char('+') || s.at(j) == QLatin1Char('-')))
            ++j;
        const qsizetype expDigits = j;
        while (j < s.size() && s.at(j).isDigit() && s.at(j).unicode() < 128)
            ++j;
        if (j > expDigits)
            end = j;
    }
    QString number = s.left(end);
    number.replace(QLatin1Char('d'), QLatin1Char('e')).replace(QLatin1Char('D'), QLatin1Char('e'));
    return number.toDouble();
}

double RoundHalfEven(double v)
{
    return std::nearbyint(v); // default rounding mode is to-nearest, ties to even
}

int32_t CLng(double v)
{
    const double r = RoundHalfEven(v);
    if (!std::isfinite(r) || r < std::numeric_limits<int32_t>::min() || r > std::numeric_limits<int32_t>::max())
        throw std::overflow_error("Overflow");
    return static_cast<int32_t>(r);
}

int16_t CInt(double v)
{
    const double r = RoundHalfEven(v);
    if (!std::isfinite(r) || r < std::numeric_limits<int16_t>::min() || r > std::numeric_limits<int16_t>::max())
        throw std::overflow_error("Overflow");
    return static_cast<int16_t>(r);
}

QString PercentText(long long done, long long total)
{
    if (total <= 0)
        return QStringLiteral("0%");
    const double pct = RoundHalfEven(static_cast<double>(done) * 100.0 / static_cast<double>(total));
    return QString::number(static_cast<long long>(pct)) + QLatin1Char('%');
}

QString GroupedNumber(long long n)
{
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(n);
}

QString Left(const QString& s, int n) { return n <= 0 ? QString() : s.left(n); }
QString Right(const QString& s, int n) { return n <= 0 ? QString() : s.right(n); }

QString PadRight(const QString& s, int n)
{
    if (n <= 0)
        return QString();
    return s.size() >= n ? s.left(n) : s + QString(n - s.size(), QLatin1Char(' '));
}

} // namespace bkl
