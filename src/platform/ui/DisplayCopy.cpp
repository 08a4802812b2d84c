#include "platform/ui/DisplayCopy.h"

#include "platform/ui/DisplayCopyCopyScript.h"
#include "platform/ui/LongTables.h"
#include "platform/core/PlatformLog.h"
#include "platform/core/WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cctype>
#include <vector>

namespace bkl {
namespace {

// The copy declares its encoding (the page file itself is read as UTF-8 without one).
constexpr QByteArrayView kCharset = "<meta charset='utf-8'>";

// The blocks' look: each block a table of fixed columns (those the script measures
// on the sizer; the widths of a block's first cells would count too), the borders
// where two blocks meet dropped (and the script takes back one cell spacing there),
// so the rows join as in one table. The sizer is laid out hidden, without height.
constexpr char kStyle[] = "<style>div.bkl-sizer{height:0;overflow:hidden;visibility:hidden}"
                          "div.bkl-rows>table{table-layout:fixed}div.bkl-rows>table>*>tr>*{width:auto}"
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
  // The columns as the whole table would have them: as wide as the sizer table lays them
  // out (the table's first row over the cells and rows that need most room), each column
  // measured on a cell of that column alone, as a part of all columns. Where the cells set
  // the table's width (wider than the page, or a table of no set width) the blocks get it too.
  function measure() {
    var sizers = document.getElementsByClassName('bkl-sizer');
    for (var i = 0; i < sizers.length; i++) {
      var s = sizers[i];
      if (s.childElementCount > 1) s.removeChild(s.lastElementChild);
      var table = parse(s), w = [], total = 0, columns = [];
      for (var r = 0; r < table.rows.length; r++)
        for (var c = 0, col = 0, cells = table.rows[r].cells; c < cells.length; col += cells[c++].colSpan)
          if (cells[c].colSpan == 1) w[col] = cells[c].getBoundingClientRect().width;
      for (var k = 0; k < w.length; k++) total += w[k] || 0;
      for (var n = 0; n < w.length; n++) columns.push(w[n] === undefined ? '' : w[n] / total * 100 + '%');
      var width = table.getBoundingClientRect().width, wider = width > s.clientWidth + 0.5;
      var set = table.hasAttribute('width') || table.style.width;
      widths[s.getAttribute('data-table')] = {
        columns: columns, width: wider || !set ? width + 'px' : '', maxWidth: wider || set ? '' : '100%'
      };
    }
  }
  function size(b) {
    var m = widths[b.getAttribute('data-table')] || {columns: []}, w = m.columns, table = b.lastElementChild;
    var g = table.firstElementChild.tagName == 'COLGROUP' ? table.firstElementChild : null;
    if (!g) {
      g = table.insertBefore(document.createElement('colgroup'), table.firstChild);
      for (var c = 0; c < w.length; c++) g.appendChild(document.createElement('col'));
    }
    for (var k = 0; k < w.length && k < g.children.length; k++) g.children[k].style.width = w[k];
    table.style.width = m.width || '';
    table.style.maxWidth = m.maxWidth || '';
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
      else if (!near[j] && shown(blocks[j]) && !selected(blocks[j])) drop(blocks[j], heights[j]);
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
  // A block holding an end of the selection stays laid out: the selection keeps its ends.
  function selected(b) {
    var s = window.getSelection();
    return s.rangeCount > 0 && (b.contains(s.anchorNode) || b.contains(s.focusNode));
  }
  window.bklRows = { blocks: blocks, shown: shown, show: show, later: later };
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

// The sizer rows: per column, the different cells that need most room as far as their
// characters tell, for the narrowest the column can be (the longest runs a line cannot
// break at) and for the width it takes where there is room (the longest lines); and
// whole, the rows with a cell over several columns (a banner) that need most room.
constexpr size_t kSizerRows = 6;

// The room a text needs, in characters (tags skipped, an entity one character, and
// &nbsp; no break): its longest run without a break, and its longest line (blanks
// between words one, a <br> starting a line).
struct Room {
    qsizetype run = 0;
    qsizetype line = 0;
};

Room RoomOf(QByteArrayView cell)
{
    Room room;
    qsizetype run = 0;
    qsizetype line = 0;
    bool blank = false;
    for (qsizetype i = 0; i < cell.size(); ++i) {
        const char c = cell[i];
        if (c == '<') {
            if (IsTag(cell, i + 1, "br"))
                line = run = 0;
            const qsizetype close = cell.indexOf('>', i);
            if (close < 0)
                break;
            i = close;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            run = 0;
            blank = line > 0;
        } else if ((c & 0xC0) != 0x80) { // one character: an ASCII byte or the first of a UTF-8 sequence
            if (c == '&') {
                const qsizetype semicolon = cell.indexOf(';', i);
                if (semicolon > i && semicolon - i <= 10)
                    i = semicolon;
            }
            line += blank ? 2 : 1;
            blank = false;
            room.run = std::max(room.run, ++run);
            room.line = std::max(room.line, line);
        }
    }
    return room;
}

// Where the next cell of a row starts from `from` on, or -1.
qsizetype NextCell(QByteArrayView row, qsizetype from)
{
    for (qsizetype at = row.indexOf('<', from); at >= 0; at = row.indexOf('<', at + 1))
        if (IsTag(row, at + 1, "td") || IsTag(row, at + 1, "th"))
            return at;
    return -1;
}

// The markup that needs most room, the most first, each once.
struct Widest {
    struct Entry {
        qsizetype room;
        QByteArrayView markup;
    };
    std::vector<Entry> byRun;
    std::vector<Entry> byLine;

    void offer(const Room& room, QByteArrayView markup)
    {
        keep(byRun, room.run, markup);
        keep(byLine, room.line, markup);
    }
    static void keep(std::vector<Entry>& top, qsizetype room, QByteArrayView markup)
    {
        const auto place = std::find_if(top.begin(), top.end(), [&](const Entry& e) { return e.room < room; });
        if (place == top.end() && top.size() >= kSizerRows)
            return;
        if (std::any_of(top.begin(), top.end(), [&](const Entry& e) { return e.markup == markup; }))
            return;
        top.insert(place, {room, markup});
        if (top.size() > kSizerRows)
            top.pop_back();
    }
};

bool SpansColumns(QByteArrayView row)
{
    return QLatin1String(row.data(), row.size()).contains(QLatin1String("colspan"), Qt::CaseInsensitive);
}

// Appends markup to be kept in a script element. The tokenizer drops a NUL in a page's
// text but reads one in a script element as U+FFFD, which the rows laid out from it would
// show: a NUL outside a tag is left out (one inside a tag is read as U+FFFD either way).
void AppendMarkup(QByteArray& out, QByteArrayView markup)
{
    if (!markup.contains('\0')) {
        out += markup;
        return;
    }
    bool inTag = false;
    char quote = 0;
    char last = 0; // in a tag, the last character other than a blank
    for (qsizetype i = 0; i < markup.size(); ++i) {
        const char c = markup[i];
        if (c == '\0' && !inTag)
            continue;
        out += c;
        if (!inTag) {
            inTag = c == '<' && i + 1 < markup.size() && (std::isalpha(uchar(markup[i + 1])) || markup[i + 1] == '/');
            last = 0;
        } else if (quote) {
            quote = c == quote ? 0 : quote;
        } else if ((c == '\'' || c == '"') && last == '=') {
            quote = c;
        } else if (c == '>') {
            inTag = false;
        } else if (!QByteArrayView(" \t\r\n\f").contains(c)) {
            last = c;
        }
    }
}

// The first row of the table over rows of each column's cells that need most room and the
// rows over several columns that need most, as one table.
QByteArray SizerTable(QByteArrayView html, const LongTable& table)
{
    std::vector<Widest> columns;
    Widest spanning;
    const qsizetype count = qsizetype(table.rows.size());
    for (qsizetype r = 1; r < count; ++r) {
        const qsizetype end = r + 1 < count ? table.rows[r + 1] : table.rowsEnd;
        const QByteArrayView row = html.sliced(table.rows[r], end - table.rows[r]);
        const bool spans = SpansColumns(row);
        Room rowRoom;
        qsizetype column = 0;
        for (qsizetype at = NextCell(row, 0); at >= 0; ++column) {
            const qsizetype next = NextCell(row, at + 3);
            qsizetype close = row.lastIndexOf("</t", next < 0 ? row.size() : next);
            while (close > at && !IsTag(row, close + 1, "/td") && !IsTag(row, close + 1, "/th"))
                close = row.lastIndexOf("</t", close - 1);
            const qsizetype cellEnd = close > at ? TagEnd(row, close) : (next < 0 ? row.size() : next);
            const QByteArrayView cell = row.sliced(at, cellEnd - at);
            const Room room = RoomOf(cell);
            if (spans) {
                rowRoom = {std::max(rowRoom.run, room.run), std::max(rowRoom.line, room.line)};
            } else {
                if (qsizetype(columns.size()) <= column)
                    columns.resize(column + 1);
                columns[column].offer(room, cell);
            }
            at = next;
        }
        if (spans)
            spanning.offer(rowRoom, row);
    }
    QByteArray sizer = html.sliced(table.start, table.openingEnd - table.start).toByteArray();
    sizer += html.sliced(table.rows[0], (count > 1 ? table.rows[1] : table.rowsEnd) - table.rows[0]);
    for (auto list : {&Widest::byRun, &Widest::byLine}) {
        for (size_t k = 0; k < kSizerRows; ++k) {
            QByteArray row = "<tr>";
            bool any = false;
            for (const Widest& column : columns) {
                const auto& top = column.*list;
                any = any || k < top.size();
                row += k < top.size() ? top[k].markup : QByteArrayView("<td></td>");
            }
            if (any)
                sizer += row + "</tr>";
        }
    }
    const auto byRun = [&](const Widest::Entry& row) {
        return std::any_of(spanning.byRun.begin(), spanning.byRun.end(),
                           [&](const Widest::Entry& e) { return e.markup == row.markup; });
    };
    for (const Widest::Entry& row : spanning.byRun)
        sizer += row.markup;
    for (const Widest::Entry& row : spanning.byLine)
        if (!byRun(row))
            sizer += row.markup;
    sizer += kTableClose;
    return sizer;
}

// The blocks of one table: its rows, `blockRows` at a time, each kept as a whole
// table in a script element, after the table's sizer.
void AppendBlocks(QByteArray& copy, const QByteArray& html, const LongTable& table, int index, qsizetype blockRows)
{
    const QByteArray number = QByteArray::number(index);
    copy += "<div class='bkl-sizer' data-table='" + number + "'><script type='text/x-table-sizer'>";
    AppendMarkup(copy, SizerTable(html, table));
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
        AppendMarkup(copy, opening);
        AppendMarkup(copy, QByteArrayView(html).sliced(from, to - from));
        copy += kTableClose;
        copy += "</script></div>";
    }
}

// Where the charset declaration goes: first in the page, after a byte-order mark and a
// doctype if the page has them (a doctype after a tag no longer counts).
qsizetype CharsetPlace(QByteArrayView html)
{
    qsizetype at = html.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    qsizetype text = at;
    while (text < html.size() && QByteArrayView(" \t\r\n\f").contains(html[text]))
        ++text;
    constexpr QByteArrayView doctype = "<!doctype";
    if (html.size() - text >= doctype.size() && html.sliced(text, doctype.size()).compare(doctype, Qt::CaseInsensitive) == 0)
        at = TagEnd(html, text);
    return at;
}

} // namespace

QByteArray DisplayCopy(const QByteArray& html, const DisplayCopyLimits& limits)
{
    const std::vector<LongTable> tables = FindLongTables(html, limits.tableRows);
    if (tables.empty())
        return {};
    QByteArray copy;
    copy.reserve(html.size() + html.size() / 50 + 4096);
    qsizetype done = CharsetPlace(html);
    copy += QByteArrayView(html).first(done);
    copy += kCharset;
    for (const LongTable& table : tables) {
        copy += QByteArrayView(html).sliced(done, table.start - done);
        if (&table == &tables.front())
            copy += kStyle;
        AppendBlocks(copy, html, table, int(&table - tables.data()), std::max<qsizetype>(1, limits.blockRows));
        done = table.end;
    }
    copy += kScript;
    copy += kDisplayCopyCopyScript;
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
    // A copy of a page read short would show a part of it as all of it: the page is shown as it
    // is then, and the engine reads it itself.
    const WholeFile page = ReadWholeFile(pageFile);
    if (!page.ok()) {
        PlatformLogLine(QStringLiteral("The page %1 could not be read for its display copy (%2); it is shown as it is.")
                            .arg(pageFile, page.error),
                        LogError);
        return {};
    }
    const QByteArray copy = DisplayCopy(page.bytes, limits);
    if (copy.isEmpty())
        return {};
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(copy) == copy.size() && file.commit())
        return path;
    PlatformLogLine(QStringLiteral("The display copy %1 could not be written (%2); the page %3 is shown as it is.")
                 .arg(path, file.errorString(), pageFile),
             LogError);
    return {};
}

} // namespace bkl
