#include "platform/ui/PageCuts.h"

#include <QByteArray>

namespace bkl {
namespace {

enum class Kind { Html, Body, Div, Table, Section, Row, Cell, Paragraph, Other };

struct Open {
    Kind kind;
    QByteArrayView name;
    qsizetype start;
    qsizetype end;
    int cuts; // cuts among the open elements up to this one
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool Is(QByteArrayView name, QByteArrayView lower) { return name.compare(lower, Qt::CaseInsensitive) == 0; }

template <size_t N>
bool IsOneOf(QByteArrayView name, const char* const (&names)[N])
{
    for (const char* n : names)
        if (Is(name, n))
            return true;
    return false;
}

Kind KindOf(QByteArrayView name)
{
    if (Is(name, "tr"))
        return Kind::Row;
    if (Is(name, "td") || Is(name, "th"))
        return Kind::Cell;
    if (Is(name, "table"))
        return Kind::Table;
    if (Is(name, "tbody") || Is(name, "thead") || Is(name, "tfoot"))
        return Kind::Section;
    if (Is(name, "div"))
        return Kind::Div;
    if (Is(name, "p"))
        return Kind::Paragraph;
    if (Is(name, "body"))
        return Kind::Body;
    if (Is(name, "html"))
        return Kind::Html;
    return Kind::Other;
}

constexpr const char* kVoid[] = {"area", "base", "br", "col", "embed", "hr", "img", "input",
                                 "link", "meta", "param", "source", "track", "wbr"};
// Their content is text up to their end tag.
constexpr const char* kRawText[] = {"script", "style", "textarea", "title", "xmp", "iframe", "noembed", "noframes"};
// Never a block of their own: they go with the head or the block before them.
constexpr const char* kNotBlocks[] = {"script", "style", "link", "meta", "base", "title", "head", "body", "html"};

qsizetype NameEnd(QByteArrayView html, qsizetype at)
{
    while (at < html.size() && !QByteArrayView(" \t\r\n\f/>").contains(html[at]))
        ++at;
    return at;
}

// After the `>` that ends the tag whose attributes start at `at`; a `>` in a quoted value does not end it.
qsizetype StartTagEnd(QByteArrayView html, qsizetype at)
{
    char quote = 0;
    char before = 0;
    for (; at < html.size(); ++at) {
        const char c = html[at];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '>') {
            return at + 1;
        } else if ((c == '\'' || c == '"') && before == '=') {
            quote = c;
        }
        if (!QByteArrayView(" \t\r\n\f").contains(c))
            before = c;
    }
    return html.size();
}

qsizetype After(QByteArrayView html, qsizetype from, QByteArrayView text)
{
    const qsizetype at = html.indexOf(text, from);
    return at < 0 ? html.size() : at + text.size();
}

// Where the end tag `</name` of a raw-text element starts, from `from`; the page's end when none.
qsizetype RawTextEnd(QByteArrayView html, qsizetype from, QByteArrayView name)
{
    for (qsizetype at = html.indexOf("</", from); at >= 0; at = html.indexOf("</", at + 2)) {
        const qsizetype end = at + 2 + name.size();
        if (end <= html.size() && Is(html.sliced(at + 2, name.size()), name)
            && (end == html.size() || QByteArrayView(" \t\r\n\f/>").contains(html[end])))
            return at;
    }
    return html.size();
}

class Scan {
public:
    explicit Scan(QByteArrayView html) : html_(html) {}

    PageCuts run()
    {
        for (qsizetype at = 0; (at = html_.indexOf('<', at)) >= 0;) {
            const char next = at + 1 < html_.size() ? html_[at + 1] : 0;
            if (next == '!')
                at = html_.sliced(at).startsWith("<!--") ? After(html_, at + 4, "-->") : After(html_, at, ">");
            else if (next == '?')
                at = After(html_, at, ">");
            else if (next == '/' && at + 2 < html_.size() && IsLetter(html_[at + 2]))
                at = endTag(at);
            else if (IsLetter(next))
                at = startTag(at);
            else
                ++at;
        }
        for (size_t i : pending_) {
            found_.cuts[i].end = html_.size();
            found_.cuts[i].inner = qsizetype(found_.cuts.size());
        }
        if (found_.cuts.empty())
            found_.headEnd = html_.size();
        return std::move(found_);
    }

private:
    qsizetype startTag(qsizetype at)
    {
        const qsizetype nameEnd = NameEnd(html_, at + 1);
        const QByteArrayView name = html_.sliced(at + 1, nameEnd - at - 1);
        const qsizetype end = StartTagEnd(html_, nameEnd);
        const Kind kind = KindOf(name);
        closeImplied(kind);
        const Open* parent = open_.empty() ? nullptr : &open_.back();
        const Kind in = parent ? parent->kind : Kind::Html;
        const bool row = kind == Kind::Row && (in == Kind::Table || in == Kind::Section);
        const bool block = !row && !IsOneOf(name, kNotBlocks)
                           && (in == Kind::Body || in == Kind::Div || (!bodySeen_ && in == Kind::Html));
        if (kind == Kind::Body)
            bodySeen_ = true;
        if (row || block)
            cut(at, row);
        if (IsOneOf(name, kRawText))
            return RawTextEnd(html_, end, name);
        if (!IsOneOf(name, kVoid))
            open_.push_back({kind, name, at, end, (parent ? parent->cuts : 0) + (row || block ? 1 : 0)});
        return end;
    }

    qsizetype endTag(qsizetype at)
    {
        const qsizetype nameEnd = NameEnd(html_, at + 2);
        const QByteArrayView name = html_.sliced(at + 2, nameEnd - at - 2);
        const Kind kind = KindOf(name);
        // What follows the body's or the page's end tag is still in the body.
        if (kind != Kind::Body && kind != Kind::Html) {
            // An end tag closes its element and what was left open inside it, but never
            // reaches out of a table or cell for an element opened outside of them.
            for (size_t i = open_.size(); i-- > 0;) {
                if (Is(open_[i].name, name)) {
                    open_.resize(i);
                    break;
                }
                if (kind != Kind::Table && kind != Kind::Section && kind != Kind::Row && kind != Kind::Cell
                    && (open_[i].kind == Kind::Table || open_[i].kind == Kind::Cell))
                    break;
            }
        }
        return After(html_, nameEnd, ">");
    }

    // A row ends the row, cell or paragraph left open in its table; a cell the
    // cell in its row; a table section the one before; a paragraph or a div an
    // open paragraph.
    void closeImplied(Kind kind)
    {
        const auto closeUpTo = [this](auto stops, auto closes) {
            for (size_t i = open_.size(); i-- > 0;) {
                if (stops(open_[i].kind))
                    return;
                if (closes(open_[i].kind)) {
                    open_.resize(i);
                    return;
                }
            }
        };
        const auto tableOrCell = [](Kind k) { return k == Kind::Table || k == Kind::Cell || k == Kind::Body; };
        switch (kind) {
        case Kind::Row:
            closeUpTo([](Kind k) { return k == Kind::Table || k == Kind::Section; }, [](Kind k) { return k == Kind::Row; });
            break;
        case Kind::Cell:
            closeUpTo([](Kind k) { return k == Kind::Table || k == Kind::Section || k == Kind::Row; },
                      [](Kind k) { return k == Kind::Cell; });
            break;
        case Kind::Section:
            closeUpTo([](Kind k) { return k == Kind::Table; }, [](Kind k) { return k == Kind::Section; });
            break;
        case Kind::Paragraph:
        case Kind::Div:
            closeUpTo([tableOrCell](Kind k) { return tableOrCell(k) || k == Kind::Div; },
                      [](Kind k) { return k == Kind::Paragraph; });
            break;
        default:
            break;
        }
    }

    void cut(qsizetype at, bool row)
    {
        if (found_.cuts.empty())
            found_.headEnd = at;
        const int level = open_.empty() ? 0 : open_.back().cuts;
        const size_t index = found_.cuts.size();
        // A block ends where the next block of its level or above starts.
        while (!pending_.empty() && levels_[pending_.back()] >= level) {
            found_.cuts[pending_.back()].end = at;
            found_.cuts[pending_.back()].inner = qsizetype(index);
            pending_.pop_back();
        }
        pending_.push_back(index);
        levels_.push_back(level);
        found_.cuts.push_back({at, 0, 0, openIndex(), row});
    }

    // The elements open now that were opened after the head; the rows of a table share one list.
    int openIndex()
    {
        std::vector<std::pair<qsizetype, qsizetype>> tags;
        for (const Open& o : open_)
            if (o.start >= found_.headEnd)
                tags.emplace_back(o.start, o.end);
        if (found_.open.empty() || found_.open.back() != tags)
            found_.open.push_back(std::move(tags));
        return int(found_.open.size()) - 1;
    }

    QByteArrayView html_;
    std::vector<Open> open_;
    PageCuts found_;
    std::vector<size_t> pending_; // cuts whose block has not ended yet, outermost first
    std::vector<int> levels_;     // of each cut: how many cuts it is inside
    bool bodySeen_ = false;
};

} // namespace

PageCuts FindPageCuts(QByteArrayView html) { return Scan(html).run(); }

} // namespace bkl
