#include "platform/ui/LongTables.h"

#include <cstring>

namespace bkl {

bool IsTag(QByteArrayView html, qsizetype at, QByteArrayView name)
{
    const qsizetype end = at + name.size();
    return end < html.size() && html.sliced(at, name.size()).compare(name, Qt::CaseInsensitive) == 0
           && QByteArrayView(" \t\r\n\f/>").contains(html[end]);
}

qsizetype TagEnd(QByteArrayView html, qsizetype at)
{
    const qsizetype close = html.indexOf('>', at);
    return close < 0 ? html.size() : close + 1;
}

namespace {

bool IsBlank(QByteArrayView html, qsizetype from, qsizetype to)
{
    for (qsizetype i = from; i < to; ++i)
        if (!QByteArrayView(" \t\r\n\f").contains(html[i]))
            return false;
    return true;
}

} // namespace

std::vector<LongTable> FindLongTables(QByteArrayView html, qsizetype tableRows)
{
    struct Open {
        LongTable table;
        bool nested = false;
        bool scripted = false;
    };
    std::vector<LongTable> found;
    std::vector<Open> open;
    const char* const begin = html.data();
    for (const char* p = begin; (p = static_cast<const char*>(memchr(p, '<', size_t(html.size() - (p - begin)))));
         ++p) {
        const qsizetype at = p - begin;
        if (IsTag(html, at + 1, "tr")) {
            if (!open.empty())
                open.back().table.rows.push_back(at);
        } else if (IsTag(html, at + 1, "table")) {
            if (!open.empty())
                open.back().nested = true;
            open.emplace_back();
            open.back().table.start = at;
        } else if (IsTag(html, at + 1, "/table")) {
            if (open.empty())
                continue;
            Open t = std::move(open.back());
            open.pop_back();
            t.table.openingEnd = TagEnd(html, t.table.start);
            t.table.rowsEnd = at;
            t.table.end = TagEnd(html, at);
            if (!t.nested && !t.scripted && qsizetype(t.table.rows.size()) > tableRows
                && IsBlank(html, t.table.openingEnd, t.table.rows.front()))
                found.push_back(std::move(t.table));
        } else if (!open.empty()
                   && (html.sliced(at).startsWith("<!--") || IsTag(html, at + 1, "script")
                       || IsTag(html, at + 1, "/script"))) {
            open.back().scripted = true;
        }
    }
    return found; // innermost tables do not overlap: in the order they end is in the order they start
}

} // namespace bkl
