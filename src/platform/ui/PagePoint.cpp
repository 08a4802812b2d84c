#include "platform/ui/PagePoint.h"

#include <QByteArray>

#include <algorithm>
#include <initializer_list>

namespace bkl {
namespace {

bool IsBlank(char32_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// One character of the document's text at `at`: the bytes it takes in the page, the
// UTF-16 units it takes in the document (0 for a NUL, which the tokenizer drops) and
// whether it is a blank. An entity the page text reads (see PageText.h) is one character.
struct Character {
    qsizetype bytes = 1;
    int units = 1;
    bool blank = false;
};

Character CharacterAt(QByteArrayView html, qsizetype at)
{
    const auto c = static_cast<unsigned char>(html[at]);
    if (c == 0)
        return {1, 0, false};
    if (c == '&') {
        const qsizetype semicolon = html.sliced(at, std::min<qsizetype>(12, html.size() - at)).indexOf(';');
        if (semicolon > 1) {
            const QByteArrayView name = html.sliced(at + 1, semicolon - 1);
            for (const char* known : {"nbsp", "amp", "lt", "gt", "quot", "apos"})
                if (name == QByteArrayView(known))
                    return {semicolon + 1, 1, false};
            if (name.startsWith('#')) {
                bool ok = false;
                const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
                const uint code = hex ? name.sliced(2).toUInt(&ok, 16) : name.sliced(1).toUInt(&ok, 10);
                if (ok && code > 0 && code <= 0x10FFFF)
                    return {semicolon + 1, code > 0xFFFF ? 2 : 1, IsBlank(code)};
            }
        }
        return {};
    }
    if (c < 0x80)
        return {1, 1, IsBlank(c)};
    qsizetype bytes = 1;
    while (at + bytes < html.size() && (static_cast<unsigned char>(html[at + bytes]) & 0xC0) == 0x80 && bytes < 4)
        ++bytes;
    return {bytes, c >= 0xF0 ? 2 : 1, false};
}

// Where the text goes on after the markup at `at` (a `<`), or `at` when the `<` is text.
qsizetype AfterMarkup(QByteArrayView html, qsizetype at)
{
    const QByteArrayView rest = html.sliced(at);
    if (rest.startsWith("<!--")) {
        const qsizetype end = html.indexOf("-->", at + 4);
        return end < 0 ? html.size() : end + 3;
    }
    if (rest.startsWith("<!") || rest.startsWith("<?"))
        return TagEnd(html, at);
    const bool endTag = rest.size() > 2 && rest[1] == '/' && IsLetter(rest[2]);
    if (!endTag && !(rest.size() > 1 && IsLetter(rest[1])))
        return at;
    for (const char* raw : {"script", "style", "title", "textarea"}) {
        if (endTag || !IsTag(html, at + 1, raw))
            continue;
        const QByteArray close = QByteArray("</") + raw;
        for (qsizetype end = html.indexOf("</", at + 1); end >= 0; end = html.indexOf("</", end + 2))
            if (IsTag(html, end + 1, close.sliced(1)))
                return TagEnd(html, end);
        return html.size();
    }
    return TagEnd(html, at);
}

} // namespace

qsizetype PagePointByte(QByteArrayView html, const std::vector<LongTable>& tables, const PagePoint& point, bool end)
{
    qsizetype at = 0;
    if (point.table >= 0) {
        if (point.table >= qsizetype(tables.size()) || point.row < 0
            || point.row >= qsizetype(tables[size_t(point.table)].rows.size()))
            return -1;
        at = tables[size_t(point.table)].rows[size_t(point.row)];
    }
    // Outside the long tables, their rows are not counted.
    auto skip = point.table < 0 ? tables.begin() : tables.end();
    qint64 seen = 0;
    if (end && point.count <= 0)
        return at;
    while (at < html.size()) {
        if (skip != tables.end() && at >= skip->start) {
            at = std::max(at, skip->end);
            ++skip;
            continue;
        }
        if (html[at] == '<') {
            const qsizetype after = AfterMarkup(html, at);
            if (after > at) {
                at = after;
                continue;
            }
        }
        const Character c = CharacterAt(html, at);
        if (!c.blank && c.units > 0) {
            if (!end && seen >= point.count)
                return at;
            seen += c.units;
            if (end && seen >= point.count)
                return at + c.bytes;
        }
        at += c.bytes;
    }
    return html.size();
}

} // namespace bkl
