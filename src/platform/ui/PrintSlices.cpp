#include "platform/ui/PrintSlices.h"

#include <QString>
#include <algorithm>
#include <stdexcept>

namespace bkl {
namespace {

qsizetype g_sliceRows = 1000;
qsizetype g_sliceBytes = 512 * 1024;

constexpr QByteArrayView kBom = "\xEF\xBB\xBF";

// A word longer than its column's width breaks where it reaches the column's
// edge: otherwise the column takes the word's width and what passes the paper's
// edge is cut off. Words that fit are laid out as in the page. Only a slice
// that holds such a word gets the rule: with it the engine lays out long texts
// several times slower.
constexpr QByteArrayView kWrapLongWords = "\r\n<style>html { overflow-wrap: anywhere; }</style>";
constexpr qsizetype kLongWordBytes = 80;

// Whether the text of `html` (outside tags) holds a run of more than kLongWordBytes
// letters without a blank or a character of another script where a line may break.
bool HoldsLongWord(QByteArrayView html)
{
    qsizetype run = 0;
    bool inTag = false;
    for (const char c : html) {
        if (c == '<')
            inTag = true;
        else if (c == '>')
            inTag = false;
        else if (!inTag && c > ' ' && (c & 0x80) == 0) {
            if (++run > kLongWordBytes)
                return true;
            continue;
        }
        run = 0;
    }
    return false;
}

std::runtime_error TooLarge(qsizetype bytes, qsizetype mostBytes)
{
    return std::runtime_error(
        QStringLiteral("The page is too large to be printed: a part of %1 MB of it cannot be cut into smaller parts, "
                       "and the web engine prints at most %2 MB at once.")
            .arg(double(bytes) / (1024 * 1024), 0, 'f', 1)
            .arg(mostBytes / (1024 * 1024))
            .toStdString());
}

} // namespace

qsizetype PrintSliceRows() { return g_sliceRows; }

void SetPrintSliceRows(qsizetype rows) { g_sliceRows = std::max<qsizetype>(1, rows); }

qsizetype PrintSliceBytes() { return g_sliceBytes; }

void SetPrintSliceBytes(qsizetype bytes) { g_sliceBytes = std::max<qsizetype>(1, bytes); }

PrintSlices::PrintSlices(QByteArray html, qsizetype sliceRows, qsizetype sliceBytes, qsizetype mostBytes)
    : html_(std::move(html)), page_(FindPageCuts(html_))
{
    const std::vector<PageCut>& cuts = page_.cuts;
    starts_.push_back(0);
    if (cuts.empty()) {
        if (html_.size() > mostBytes)
            throw TooLarge(html_.size(), mostBytes);
        return;
    }
    // The rows before each cut, to count the rows of a slice.
    std::vector<qsizetype> rowsBefore(cuts.size() + 1, 0);
    for (size_t i = 0; i < cuts.size(); ++i)
        rowsBefore[i + 1] = rowsBefore[i] + (cuts[i].row ? 1 : 0);
    // Whole blocks go into the slice while they fit; a block that does not fit
    // starts the next slice when it fits there whole, else it is entered and its
    // inner blocks or rows go in the same way; one that has none and fits in no
    // slice is a slice of its own.
    // The first slice of a page larger than one slice is a quarter of one: the
    // preview shows its first pages sooner.
    const qsizetype firstBytes = html_.size() > sliceBytes ? sliceBytes / 4 : sliceBytes;
    for (size_t i = 0; i < cuts.size();) {
        const size_t start = starts_.back();
        const size_t next = size_t(cuts[i].inner);
        const qsizetype bytes = bytesOf(start, cuts[i].end);
        const auto fits = [&](size_t from, qsizetype size) {
            return size <= (from == 0 ? firstBytes : sliceBytes) && rowsBefore[next] - rowsBefore[from] <= sliceRows;
        };
        if (fits(start, bytes)) {
            i = next;
        } else if (i > start && fits(i, bytesOf(i, cuts[i].end))) {
            starts_.push_back(i); // the block whole in the next slice
        } else if (next > i + 1) {
            ++i;
        } else if (i > start) {
            starts_.push_back(i);
        } else {
            if (bytes > mostBytes)
                throw TooLarge(bytes, mostBytes);
            if (next < cuts.size())
                starts_.push_back(next);
            i = next;
        }
    }
}

qsizetype PrintSlices::from(qsizetype slice) const
{
    return slice == 0 ? page_.headEnd : page_.cuts[starts_[size_t(slice)]].at;
}

qsizetype PrintSlices::to(qsizetype slice) const
{
    return slice + 1 == count() ? html_.size() : page_.cuts[starts_[size_t(slice) + 1]].at;
}

qsizetype PrintSlices::openBytes(size_t cut) const
{
    qsizetype bytes = 0;
    for (const auto& [start, end] : page_.open[size_t(page_.cuts[cut].openIndex)])
        bytes += end - start;
    return bytes;
}

qsizetype PrintSlices::bytes(qsizetype slice) const
{
    return page_.headEnd + (slice == 0 ? 0 : openBytes(starts_[size_t(slice)])) + to(slice) - from(slice);
}

QByteArray PrintSlices::document(qsizetype slice) const
{
    QByteArray doc;
    doc.reserve(bytes(slice) + kBom.size() + kWrapLongWords.size());
    if (!html_.startsWith(kBom))
        doc += kBom;
    const QByteArrayView page(html_);
    doc += page.first(page_.headEnd);
    if (slice > 0)
        for (const auto& [start, end] : page_.open[size_t(page_.cuts[starts_[size_t(slice)]].openIndex)])
            doc += page.sliced(start, end - start);
    const QByteArrayView part = page.sliced(from(slice), to(slice) - from(slice));
    doc += part;
    if (HoldsLongWord(part))
        doc += kWrapLongWords;
    return doc;
}

} // namespace bkl
