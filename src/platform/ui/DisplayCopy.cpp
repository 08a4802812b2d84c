#include "platform/ui/DisplayCopy.h"

#include "platform/ui/LongTables.h"
#include "shell/Log.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <vector>

namespace bkl {
namespace {

// The blocks' look: each block a table of fixed columns (those the script measures
// on the sizer), the borders where two blocks meet dropped (and the script takes
// back one cell spacing there), so the rows join as in one table. The sizer is
// laid out hidden, without height.
constexpr char kStyle[] = "<style>div.bkl-sizer{height:0;overflow:hidden;visibility:hidden}"
                          "div.bkl-rows>table{table-layout:fixed}"
                          "div.bkl-after>table{border-top-style:none}"
                          "div.bkl-before>table{border-bottom-style:none}</style>";

// Lays out the blocks near the screen (from one screen above to two below) and
// drops the others, which keep their height. Blocks never laid out are as high as
// their rows are at the height of the rows laid out first. Every block gets the
// columns of the table's sizer, measured again when the window's size changes.
// Printing lays out all.
constexpr char kScript[] = R"JS(<script>
(function () {
  var blocks = document.getElementsByClassName('bkl-rows');
  var rowHeight = 0, pending = false, widths = null;
  function rows(b) { return +b.getAttribute('data-rows'); }
  function shown(b) { return b.childElementCount > 1; }
  function parse(holder) {
    var t = document.createElement('template');
    t.innerHTML = holder.firstElementChild.text;
    return holder.appendChild(t.content.firstElementChild);
  }
  // The columns as the whole table would have them: as wide as the sizer table lays
  // them out, the table's first row over its cells that break least.
  function measure() {
    var sizers = document.getElementsByClassName('bkl-sizer');
    for (var i = 0; i < sizers.length; i++) {
      var s = sizers[i];
      if (s.childElementCount > 1) s.removeChild(s.lastElementChild);
      var table = parse(s), cells = table.rows[0].cells, total = table.getBoundingClientRect().width, w = [];
      for (var c = 0; c < cells.length; c++) w.push(cells[c].getBoundingClientRect().width / total * 100 + '%');
      widths[s.getAttribute('data-table')] = w;
    }
  }
  function size(b) {
    var w = widths[b.getAttribute('data-table')] || [], table = b.lastElementChild;
    var g = table.firstElementChild.tagName == 'COLGROUP' ? table.firstElementChild : null;
    if (!g) {
      g = table.insertBefore(document.createElement('colgroup'), table.firstChild);
      for (var c = 0; c < w.length; c++) g.appendChild(document.createElement('col'));
    }
    for (var k = 0; k < w.length && k < g.children.length; k++) g.children[k].style.width = w[k];
  }
  function show(b) {
    var table = parse(b);
    b.style.height = '';
    size(b);
    // Rows of one table are one cell spacing apart, two tables two: one is taken back.
    if (b.classList.contains('bkl-after'))
      table.style.marginTop = '-' + getComputedStyle(table).borderSpacing.split(' ').pop();
  }
  function drop(b, height) {
    b.style.height = height + 'px';
    b.removeChild(b.lastElementChild);
    b.setAttribute('data-measured', '');
  }
  function estimate() {
    for (var i = 0; i < blocks.length && !rowHeight; i++)
      if (shown(blocks[i])) rowHeight = blocks[i].getBoundingClientRect().height / rows(blocks[i]);
    for (var j = 0; rowHeight && j < blocks.length; j++)
      if (!shown(blocks[j]) && !blocks[j].hasAttribute('data-measured'))
        blocks[j].style.height = rows(blocks[j]) * rowHeight + 'px';
  }
  function update() {
    pending = false;
    if (!widths) {
      widths = {};
      measure();
      for (var s = 0; s < blocks.length; s++) if (shown(blocks[s])) size(blocks[s]);
    }
    // A view at the end of the page stays there when the blocks laid out near it turn
    // out higher than their estimates (Ctrl+End lands on the last row).
    var page = document.scrollingElement, h = window.innerHeight;
    var atEnd = page.scrollTop > 0 && page.scrollTop + h >= page.scrollHeight - 1;
    var near = [], heights = [];
    for (var i = 0; i < blocks.length; i++) {
      var r = blocks[i].getBoundingClientRect();
      near.push(r.bottom > -h && r.top < 2 * h);
      heights.push(r.height);
    }
    for (var j = 0; j < blocks.length; j++) {
      if (near[j] && !shown(blocks[j])) show(blocks[j]);
      else if (!near[j] && shown(blocks[j])) drop(blocks[j], heights[j]);
    }
    if (atEnd && page.scrollTop + h < page.scrollHeight - 1) page.scrollTop = page.scrollHeight;
    if (!rowHeight) {
      estimate();
      if (rowHeight) update();
    }
  }
  function later() {
    if (!pending) { pending = true; window.requestAnimationFrame(update); }
  }
  window.addEventListener('scroll', later);
  window.addEventListener('resize', function () {
    rowHeight = 0;
    widths = null;
    for (var i = 0; i < blocks.length; i++) blocks[i].removeAttribute('data-measured');
    later();
  });
  window.addEventListener('beforeprint', function () {
    for (var i = 0; i < blocks.length; i++) if (!shown(blocks[i])) show(blocks[i]);
  });
  window.addEventListener('afterprint', later);
  update();
})();
</script>)JS";

// The height a block has before any row is laid out (the script then uses the rows' own).
constexpr int kFirstRowHeight = 20;

// The sizer rows: per column, the different cells whose text has the longest runs a
// line cannot break at (the widest a column must be in the whole table, as far as
// characters tell).
constexpr size_t kSizerRows = 6;

// The characters of the longest run of a cell's text without a break (tags skipped,
// an entity one character, and &nbsp; no break).
qsizetype LongestRun(QByteArrayView cell)
{
    qsizetype longest = 0;
    qsizetype run = 0;
    for (qsizetype i = 0; i < cell.size(); ++i) {
        const char c = cell[i];
        if (c == '<') {
            const qsizetype close = cell.indexOf('>', i);
            if (close < 0)
                break;
            i = close;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            run = 0;
        } else if ((c & 0xC0) != 0x80) { // one character: an ASCII byte or the first of a UTF-8 sequence
            if (c == '&') {
                const qsizetype semicolon = cell.indexOf(';', i);
                if (semicolon > i && semicolon - i <= 10)
                    i = semicolon;
            }
            longest = std::max(longest, ++run);
        }
    }
    return longest;
}

// Where the next cell of a row starts from `from` on, or -1.
qsizetype NextCell(QByteArrayView row, qsizetype from)
{
    qsizetype at = row.indexOf("<td", from);
    while (at >= 0 && !IsTag(row, at + 1, "td"))
        at = row.indexOf("<td", at + 3);
    return at;
}

// The first row of the table over rows of each column's least breakable cells, as one table.
QByteArray SizerTable(QByteArrayView html, const LongTable& table)
{
    struct Cell {
        qsizetype run;
        QByteArrayView markup;
    };
    std::vector<std::vector<Cell>> widest; // per column, the longest runs first
    const qsizetype count = qsizetype(table.rows.size());
    for (qsizetype r = 1; r < count; ++r) {
        const qsizetype end = r + 1 < count ? table.rows[r + 1] : table.rowsEnd;
        const QByteArrayView row = html.sliced(table.rows[r], end - table.rows[r]);
        qsizetype column = 0;
        for (qsizetype at = NextCell(row, 0); at >= 0; ++column) {
            const qsizetype next = NextCell(row, at + 3);
            const qsizetype close = row.lastIndexOf("</td>", next < 0 ? row.size() : next);
            const QByteArrayView cell = row.sliced(at, (close > at ? close + 5 : (next < 0 ? row.size() : next)) - at);
            if (qsizetype(widest.size()) <= column)
                widest.resize(column + 1);
            std::vector<Cell>& top = widest[column];
            const Cell candidate{LongestRun(cell), cell};
            const auto place = std::find_if(top.begin(), top.end(), [&](const Cell& c) { return c.run < candidate.run; });
            const bool known = std::any_of(top.begin(), top.end(), [&](const Cell& c) { return c.markup == cell; });
            if (!known && (place != top.end() || top.size() < kSizerRows)) {
                top.insert(place, candidate);
                if (top.size() > kSizerRows)
                    top.pop_back();
            }
            at = next;
        }
    }
    QByteArray sizer = html.sliced(table.start, table.openingEnd - table.start).toByteArray();
    sizer += html.sliced(table.rows[0], (count > 1 ? table.rows[1] : table.rowsEnd) - table.rows[0]);
    for (size_t k = 0; k < kSizerRows; ++k) {
        sizer += "<tr>";
        for (const std::vector<Cell>& top : widest)
            sizer += k < top.size() ? top[k].markup : QByteArrayView("<td></td>");
        sizer += "</tr>";
    }
    sizer += kTableClose;
    return sizer;
}

// The blocks of one table: its rows, `blockRows` at a time, each kept as a whole
// table in a script element, after the table's sizer.
void AppendBlocks(QByteArray& copy, const QByteArray& html, const LongTable& table, int index, qsizetype blockRows)
{
    const QByteArray number = QByteArray::number(index);
    copy += "<div class='bkl-sizer' data-table='" + number + "'><script type='text/x-table-sizer'>";
    copy += SizerTable(html, table);
    copy += "</script></div>";
    const QByteArrayView opening = QByteArrayView(html).sliced(table.start, table.openingEnd - table.start);
    const qsizetype count = qsizetype(table.rows.size());
    for (qsizetype first = 0; first < count; first += blockRows) {
        const qsizetype last = std::min(first + blockRows, count);
        const qsizetype from = table.rows[first];
        const qsizetype to = last < count ? table.rows[last] : table.rowsEnd;
        QByteArray classes = "bkl-rows";
        if (first > 0)
            classes += " bkl-after";
        if (last < count)
            classes += " bkl-before";
        copy += "<div class='" + classes + "' data-table='" + number + "' data-rows='" + QByteArray::number(last - first)
                + "' style='height:" + QByteArray::number((last - first) * kFirstRowHeight)
                + "px'><script type='text/x-table-rows'>";
        copy += opening;
        copy += QByteArrayView(html).sliced(from, to - from);
        copy += kTableClose;
        copy += "</script></div>";
    }
}

} // namespace

QByteArray DisplayCopy(const QByteArray& html, const DisplayCopyLimits& limits)
{
    const std::vector<LongTable> tables = FindLongTables(html, limits.tableRows);
    if (tables.empty())
        return {};
    QByteArray copy;
    copy.reserve(html.size() + html.size() / 50 + 4096);
    qsizetype done = 0;
    for (const LongTable& table : tables) {
        copy += QByteArrayView(html).sliced(done, table.start - done);
        if (&table == &tables.front())
            copy += kStyle;
        AppendBlocks(copy, html, table, int(&table - tables.data()), std::max<qsizetype>(1, limits.blockRows));
        done = table.end;
    }
    copy += kScript;
    copy += QByteArrayView(html).sliced(done);
    return copy;
}

QString DisplayCopyPath(const QString& pageFile)
{
    const QFileInfo page(pageFile);
    return page.absolutePath() + QLatin1Char('/') + page.completeBaseName() + QStringLiteral("_display.html");
}

QString WriteDisplayCopy(const QString& pageFile, const DisplayCopyLimits& limits)
{
    const QString path = DisplayCopyPath(pageFile);
    QFile::remove(path);
    QFile page(pageFile);
    if (!page.open(QIODevice::ReadOnly))
        return {};
    const QByteArray copy = DisplayCopy(page.readAll(), limits);
    if (copy.isEmpty())
        return {};
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(copy) == copy.size() && file.commit())
        return path;
    WriteLog(QStringLiteral("The display copy %1 could not be written (%2); the page %3 is shown as it is.")
                 .arg(path, file.errorString(), pageFile),
             LogError);
    return {};
}

} // namespace bkl
