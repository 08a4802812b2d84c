#pragma once
// Text and number semantics of the original desktop platform, kept in one place
// so every caller trims, parses and rounds the same way.
#include <QString>
#include <QStringList>
#include <cstdint>

namespace bkl {

// Carriage return + line feed: line end of files, report pages and message texts.
inline constexpr char kCrLf[] = "\r\n";

// Strips leading and trailing blanks (spaces only; tabs and line breaks stay).
QString Trim(const QString& s);
QString LTrim(const QString& s);
QString RTrim(const QString& s);

// Unicode-aware upper-casing.
QString UCase(const QString& s);

// Leading-number parse: skips blanks, reads the leading number ("12abc" -> 12,
// " 1.5e2x" -> 150, "&H1F" -> 31), 0 when there is none.
double Val(const QString& s);

// Rounds to the nearest whole number, halves to the even neighbour (12.5 -> 12, 37.5 -> 38).
double RoundHalfEven(double v);

// Conversion of a number to a 32-bit whole number with half-even rounding.
// Throws std::overflow_error when the value does not fit.
int32_t CLng(double v);
// Same for 16-bit.
int16_t CInt(double v);

// Percentage text: done*100/total rounded half-even, followed by "%"; "0%" for a zero total.
QString PercentText(long long done, long long total);

// Whole number with thousands grouping ("1,234"), independent of the system locale.
QString GroupedNumber(long long n);

// First / last n characters, like the platform's Left$ and Right$ (n < 0 gives "").
QString Left(const QString& s, int n);
QString Right(const QString& s, int n);

// Pads or cuts a text to exactly n characters (fixed-width export columns).
QString PadRight(const QString& s, int n);

} // namespace bkl
