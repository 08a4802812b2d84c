#pragma once
// The STATUS of a compare-list row and what a compare result says about it.
#include <QString>
#include <optional>

namespace bkl::compare {

// A status text and its text colour as a Windows colour value
// (red + 256 * green + 65536 * blue).
struct CompareStatus {
    QString text;
    unsigned colour = 0;
};

// "Not Started", black: the status of a row added to the compare list.
CompareStatus NotStartedStatus();

// "Error", dark orange #C05000: an object whose existence test, a fetch or the
// comparator failed on either side.
CompareStatus ErrorStatus();

// The status a compare result's first character gives: "0" "Mismatch" in red
// (255), "1" "Identical" in green (65280), "2" "Not Exists" in blue (16711680),
// "3" "Error". No status for an empty result (the kind is not compared); a
// result without a status digit is no outcome either and counts as "Error".
std::optional<CompareStatus> StatusOfResult(const QString& result);

// The comparison page of a result: the result without its status digit.
QString PageOfResult(const QString& result);

// Red, green and blue of a Windows colour value.
inline int ColourRed(unsigned colour) { return static_cast<int>(colour & 0xFFu); }
inline int ColourGreen(unsigned colour) { return static_cast<int>((colour >> 8) & 0xFFu); }
inline int ColourBlue(unsigned colour) { return static_cast<int>((colour >> 16) & 0xFFu); }

} // namespace bkl::compare
