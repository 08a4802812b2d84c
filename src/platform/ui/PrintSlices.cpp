#include "platform/ui/PrintSlices.h"

#include <QString>
#include <algorithm>
#include <stdexcept>

namespace bkl {
namespace {

qsizetype g_sliceRows = 1000;

constexpr QByteArrayView kBom = "\xEF\xBB\xBF";
constexpr QByteArrayView kFirstRow = " data-bkl-first";
constexpr QByteArrayView kLastRow = " data-bkl-last";

// Hides what the document holds before the slice's first row and after its last
// one, up to the body: elements are no longer displayed and text is dropped. The
// rows themselves, their tables and what holds those stay as the page has them.
constexpr char kHideOutsideSlice[] = R"JS(<script>
(function () {
  function hide(node, after) {
    for (; node && node.parentNode && node !== document.body; node = node.parentNode) {
      for (var s = after ? node.nextSibling : node.previousSibling; s;) {
        var next = after ? s.nextSibling : s.previousSibling;
        if (s.nodeType == 1) s.style.setProperty('display', 'none', 'important');
        else if (s.nodeType == 3) s.remove();
        s = next;
      }
    }
  }
  hide(document.querySelector('[data-bkl-first]'), false);
  hide(document.querySelector('[data-bkl-last]'), true);
})();
</script>)JS";

} // namespace

qsizetype PrintSliceRows() { return g_sliceRows; }

void SetPrintSliceRows(qsizetype rows) { g_sliceRows = std::max<qsizetype>(1, rows); }

PrintSlices::PrintSlices(QByteArray html, qsizetype sliceRows, qsizetype mostBytes)
    : html_(std::move(html)), tables_(FindLongTables(html_, sliceRows))
{
    for (const LongTable& table : tables_)
        for (size_t row = size_t(sliceRows); row < table.rows.size(); row += size_t(sliceRows))
            cuts_.push_back(table.rows[row]);
    for (qsizetype slice = 0; slice < count(); ++slice) {
        const qsizetype from = slice == 0 ? 0 : cuts_[slice - 1];
        const qsizetype to = slice + 1 == count() ? html_.size() : cuts_[slice];
        const qsizetype bytes = sliceBytes(from, to);
        if (bytes > mostBytes)
            throw std::runtime_error(
                QStringLiteral("The page is too large to be printed: %1 MB of it cannot be printed in smaller parts, "
                               "and the web engine prints at most %2 MB at once.")
                    .arg(double(bytes) / (1024 * 1024), 0, 'f', 1)
                    .arg(mostBytes / (1024 * 1024))
                    .toStdString());
    }
}

qsizetype PrintSlices::sliceBytes(qsizetype from, qsizetype to) const
{
    qsizetype bytes = html_.size();
    for (const LongTable& table : tables_) {
        const qsizetype start = table.rows.front();
        bytes -= (table.rowsEnd - start)
                 - std::max<qsizetype>(0, std::min(to, table.rowsEnd) - std::max(from, start));
    }
    return bytes;
}

QByteArray PrintSlices::document(qsizetype slice) const
{
    const qsizetype from = slice == 0 ? 0 : cuts_[slice - 1];
    const qsizetype to = slice + 1 == count() ? html_.size() : cuts_[slice];
    // The slice's first row and its last one are marked for the script, after their `<tr`.
    const qsizetype first = slice == 0 ? -1 : from + 3;
    qsizetype last = -1;
    if (slice + 1 < count()) {
        for (const LongTable& table : tables_)
            if (to > table.rows.front() && to < table.rowsEnd)
                last = *(std::lower_bound(table.rows.begin(), table.rows.end(), to) - 1) + 3;
    }
    QByteArray doc;
    doc.reserve(sliceBytes(from, to) + 1024);
    if (!html_.startsWith(kBom))
        doc += kBom;
    const auto append = [&](qsizetype a, qsizetype b) {
        for (const auto& [at, marker] : {std::pair{first, kFirstRow}, std::pair{last, kLastRow}}) {
            if (at >= a && at < b) {
                doc += QByteArrayView(html_).sliced(a, at - a);
                doc += marker;
                a = at;
            }
        }
        if (a < b)
            doc += QByteArrayView(html_).sliced(a, b - a);
    };
    qsizetype done = 0;
    for (const LongTable& table : tables_) {
        const qsizetype start = table.rows.front();
        append(done, start);
        append(std::clamp(from, start, table.rowsEnd), std::clamp(to, start, table.rowsEnd));
        done = table.rowsEnd;
    }
    append(done, html_.size());
    doc += kHideOutsideSlice;
    return doc;
}

} // namespace bkl
