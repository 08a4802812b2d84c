#include "platform/ui/PageText.h"

#include <QByteArray>
#include <algorithm>
#include <cstring>
#include <vector>

namespace bkl {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool OneOf(QByteArrayView name, std::initializer_list<const char*> names)
{
    for (const char* n : names)
        if (name == QByteArrayView(n))
            return true;
    return false;
}

// Elements laid out as blocks: each starts and ends a line.
bool IsBlock(QByteArrayView name)
{
    return OneOf(name, {"address", "article", "aside", "blockquote", "caption", "center", "dd", "div", "dl", "dt",
                        "fieldset", "figcaption", "figure", "footer", "form", "h1", "h2", "h3", "h4", "h5", "h6",
                        "header", "hr", "li", "main", "nav", "ol", "p", "pre", "section", "table", "tbody", "tfoot",
                        "thead", "tr", "ul"});
}


bool IsVoid(QByteArrayView name)
{
    return OneOf(name, {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "param", "source",
                        "track", "wbr"});
}

// Elements whose content is text up to their end tag, never shown.
bool IsRawText(QByteArrayView name) { return OneOf(name, {"script", "style", "textarea", "title"}); }

// Elements whose content is never shown.
bool IsHidden(QByteArrayView name) { return OneOf(name, {"head", "noscript", "select", "template"}); }

// A style attribute that hides the element.
bool HidesElement(QByteArrayView style)
{
    QByteArray compact;
    for (char c : style)
        if (!IsBlank(c))
            compact += char(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return compact.contains("display:none");
}

// The text written so far and what the markup has asked for since: line ends,
// a space, a tab. Line ends and a space are written only before further text, so
// none ends the text and none starts a line.
class TextOut {
public:
    QByteArray text;

    char last() const { return newlines_ > 0 ? '\n' : text.isEmpty() ? '\0' : text.back(); }
    // Where the next character appended lands: after the line ends and the space asked for.
    qsizetype nextAt() const { return text.size() + newlines_ + (space_ ? 1 : 0); }
    // A block starts or ends: the text goes on on a new line. A table that starts
    // the text starts with a line end.
    void newline(bool table = false)
    {
        if (text.isEmpty() && table)
            text += '\n';
        else if (!text.isEmpty() && last() != '\n')
            ++newlines_;
        lineStart();
    }
    // The empty line after a paragraph.
    void emptyLine()
    {
        if (!text.isEmpty())
            ++newlines_;
        lineStart();
    }
    // A table cell that is not the first on its line.
    void tab()
    {
        if (!text.isEmpty() && last() != '\n')
            text += '\t';
        lineStart();
    }
    void lineBreak()
    {
        flush();
        text += '\n';
        lineStart();
    }
    void blank() { space_ = !atLineStart_; }
    void append(QByteArrayView chars)
    {
        flush();
        if (space_)
            text += ' ';
        space_ = false;
        atLineStart_ = false;
        text += chars;
    }

private:
    void lineStart()
    {
        space_ = false;
        atLineStart_ = true;
    }
    void flush()
    {
        text.append(newlines_, '\n');
        newlines_ = 0;
    }

    int newlines_ = 0;
    bool space_ = false;
    bool atLineStart_ = true;
};

// The character of the entity at `at` (just after its `&`), as UTF-8, and its length
// up to and with the `;`; a no-break space is a space. Empty for no known entity.
QByteArray Entity(QByteArrayView html, qsizetype at, qsizetype& length)
{
    const qsizetype semicolon = html.sliced(at, std::min<qsizetype>(12, html.size() - at)).indexOf(';');
    if (semicolon <= 0)
        return {};
    const QByteArrayView name = html.sliced(at, semicolon);
    length = semicolon + 1;
    char32_t code = 0;
    if (name == "nbsp")
        code = 0xA0;
    else if (name == "amp")
        code = '&';
    else if (name == "lt")
        code = '<';
    else if (name == "gt")
        code = '>';
    else if (name == "quot")
        code = '"';
    else if (name == "apos")
        code = '\'';
    else if (name.startsWith('#')) {
        bool ok = false;
        code = name.size() > 1 && (name[1] == 'x' || name[1] == 'X') ? name.sliced(2).toUInt(&ok, 16)
                                                                      : name.sliced(1).toUInt(&ok, 10);
        if (!ok || code == 0 || code > 0x10FFFF)
            return {};
    }
    if (code == 0)
        return {};
    if (code == 0xA0)
        return " ";
    return QString::fromUcs4(&code, 1).toUtf8();
}

struct Tag {
    QByteArray name; // lower case
    bool end = false;
    bool hidden = false; // styled display:none or marked hidden
    qsizetype after = 0; // just after its `>`
};

// The tag at `at` (its `<`, followed by a letter or `/` and a letter).
Tag ReadTag(QByteArrayView html, qsizetype at)
{
    Tag tag;
    qsizetype i = at + 1;
    if (html[i] == '/') {
        tag.end = true;
        ++i;
    }
    const qsizetype nameStart = i;
    while (i < html.size() && !IsBlank(html[i]) && html[i] != '/' && html[i] != '>')
        ++i;
    tag.name = html.sliced(nameStart, i - nameStart).toByteArray().toLower();
    // The attributes, values quoted or not, up to the tag's `>`.
    while (i < html.size() && html[i] != '>') {
        if (IsBlank(html[i]) || html[i] == '/') {
            ++i;
            continue;
        }
        const qsizetype attrStart = i;
        while (i < html.size() && !IsBlank(html[i]) && html[i] != '=' && html[i] != '>')
            ++i;
        const QByteArray attr = html.sliced(attrStart, i - attrStart).toByteArray().toLower();
        while (i < html.size() && IsBlank(html[i]))
            ++i;
        QByteArrayView value;
        if (i < html.size() && html[i] == '=') {
            ++i;
            while (i < html.size() && IsBlank(html[i]))
                ++i;
            if (i < html.size() && (html[i] == '\'' || html[i] == '"')) {
                const qsizetype close = html.indexOf(html[i], i + 1);
                const qsizetype end = close < 0 ? html.size() : close;
                value = html.sliced(i + 1, end - i - 1);
                i = std::min(end + 1, html.size());
            } else {
                const qsizetype valueStart = i;
                while (i < html.size() && !IsBlank(html[i]) && html[i] != '>')
                    ++i;
                value = html.sliced(valueStart, i - valueStart);
            }
        }
        if ((attr == "style" && HidesElement(value)) || attr == "hidden")
            tag.hidden = true;
    }
    tag.after = std::min(i + 1, html.size());
    return tag;
}

// Reads the page, keeping the elements open and whether a hidden one holds them. With
// marks, it also notes where the text and the open elements stand at two bytes of the page.
class PageReader {
public:
    explicit PageReader(QByteArrayView html, qsizetype from = -1, qsizetype to = -1)
        : html_(html), from_(from), to_(to)
    {
    }

    // The text of the whole page; with marks, the text of the part between them and its markup.
    PageSpan span()
    {
        const QByteArray all = read();
        const qsizetype start = std::min(startText_, all.size());
        const qsizetype end = std::clamp(endText_, start, all.size());
        PageSpan part;
        part.text = QString::fromUtf8(all.sliced(start, end - start));
        part.html = startTags_ + html_.sliced(from_, to_ - from_).toByteArray() + endTags_;
        return part;
    }

    QString text() { return QString::fromUtf8(read()); }

private:
    QByteArray read()
    {
        const char* const begin = html_.data();
        qsizetype at = 0;
        while (at < html_.size()) {
            const void* found = memchr(begin + at, '<', size_t(html_.size() - at));
            const qsizetype lt = found ? static_cast<const char*>(found) - begin : html_.size();
            run(at, lt);
            if (lt >= html_.size())
                break;
            at = markup(lt);
        }
        if (!started_ && from_ >= 0)
            startHere();
        if (!ended_ && to_ >= 0)
            endHere();
        while (!open_.empty())
            close();
        return std::move(out_.text);
    }

    struct Open {
        QByteArray name;
        bool hidden;
        qsizetype textAt; // the text's size when it opened
        QByteArrayView tag; // its start tag as the page holds it
    };

    // The text between two tags, noting the marks that lie in it (or in the markup before it).
    void run(qsizetype from, qsizetype to)
    {
        if (!started_ && from_ >= 0 && from_ < to) {
            const qsizetype mark = std::max(from, from_);
            characters(from, mark);
            startHere();
            from = mark;
        }
        if (started_ && !ended_ && to_ >= 0 && to_ <= to) {
            const qsizetype mark = std::max(from, to_);
            characters(from, mark);
            endHere();
            from = mark;
        }
        characters(from, to);
    }

    // The part starts at the next character written: the start tags of the elements open now
    // go before its markup. The page's root and body are left out, as the engine leaves them.
    void startHere()
    {
        started_ = true;
        startText_ = out_.nextAt();
        for (const Open& element : open_)
            if (element.name != "html" && element.name != "body")
                startTags_ += element.tag;
    }

    // The part ends after the characters written so far: the elements open now are ended after its markup.
    void endHere()
    {
        ended_ = true;
        endText_ = out_.text.size();
        for (auto it = open_.rbegin(); it != open_.rend(); ++it)
            if (it->name != "html" && it->name != "body")
                endTags_ += "</" + it->name + '>';
    }

    bool hidden() const { return !open_.empty() && open_.back().hidden; }

    // The text between two tags.
    void characters(qsizetype from, qsizetype to)
    {
        if (hidden())
            return;
        qsizetype run = from; // the start of the characters not yet written
        for (qsizetype i = from; i < to; ++i) {
            const char c = html_[i];
            if (IsBlank(c) || c == '&' || c == '\0' || (c == '\xC2' && i + 1 < to && html_[i + 1] == '\xA0')) {
                if (i > run)
                    out_.append(html_.sliced(run, i - run));
                if (c == '\0') {
                    // The tokenizer drops a NUL in a page's text.
                    run = i + 1;
                } else if (IsBlank(c)) {
                    out_.blank();
                    run = i + 1;
                } else if (c == '&') {
                    qsizetype length = 0;
                    const QByteArray entity = Entity(html_, i + 1, length);
                    out_.append(entity.isEmpty() ? QByteArrayView("&") : QByteArrayView(entity));
                    i += length;
                    run = i + 1;
                } else {
                    out_.append(" ");
                    run = ++i + 1;
                }
            }
        }
        if (to > run)
            out_.append(html_.sliced(run, to - run));
    }

    // The markup at `at` (a `<`); returns where the text goes on.
    qsizetype markup(qsizetype at)
    {
        const QByteArrayView rest = html_.sliced(at);
        if (rest.startsWith("<!--")) {
            const qsizetype end = html_.indexOf("-->", at + 4);
            return end < 0 ? html_.size() : end + 3;
        }
        if (rest.startsWith("<!") || rest.startsWith("<?")) {
            const qsizetype end = html_.indexOf('>', at);
            return end < 0 ? html_.size() : end + 1;
        }
        const bool endTag = rest.size() > 2 && rest[1] == '/' && IsLetter(rest[2]);
        if (!endTag && !(rest.size() > 1 && IsLetter(rest[1]))) {
            run(at, at + 1);
            return at + 1;
        }
        const Tag tag = ReadTag(html_, at);
        if (tag.end) {
            closeNamed(tag.name);
            return tag.after;
        }
        if (IsRawText(tag.name))
            return SkipTo(FindEndTag(tag.name, tag.after));
        start(tag, at);
        return tag.after;
    }

    // Where the end tag of `name` (in any case) starts from `from` on, or -1.
    qsizetype FindEndTag(const QByteArray& name, qsizetype from) const
    {
        const QByteArray needle = "</" + name;
        for (qsizetype i = html_.indexOf("</", from); i >= 0; i = html_.indexOf("</", i + 2))
            if (html_.size() - i >= needle.size() && html_.sliced(i, needle.size()).compare(needle, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }

    qsizetype SkipTo(qsizetype endTag) const
    {
        if (endTag < 0)
            return html_.size();
        const qsizetype close = html_.indexOf('>', endTag);
        return close < 0 ? html_.size() : close + 1;
    }

    void start(const Tag& tag, qsizetype at)
    {
        const QByteArray& name = tag.name;
        // Cells and rows end at the next of their kind; a paragraph at the next block.
        if (name == "td" || name == "th")
            closeWithin({"td", "th"}, {"tr", "table"});
        else if (name == "tr")
            closeWithin({"tr"}, {"table"});
        else if (IsBlock(name) && !open_.empty() && open_.back().name == "p")
            close();
        const bool hide = hidden() || tag.hidden || IsHidden(name);
        if (!hide) {
            if (name == "br")
                out_.lineBreak();
            else if (name == "td" || name == "th")
                out_.tab();
            else if (IsBlock(name))
                out_.newline(name == "table");
        }
        if (IsVoid(name)) {
            if (!hide && name == "hr")
                out_.newline();
            return;
        }
        open_.push_back({name, hide, out_.text.size(), html_.sliced(at, tag.after - at)});
    }

    // Closes the innermost open element named one of `names`, unless one of `bounds` is nearer.
    void closeWithin(std::initializer_list<const char*> names, std::initializer_list<const char*> bounds)
    {
        for (auto it = open_.rbegin(); it != open_.rend(); ++it) {
            if (OneOf(it->name, bounds))
                return;
            if (OneOf(it->name, names)) {
                const size_t keep = size_t(open_.rend() - it) - 1;
                while (open_.size() > keep)
                    close();
                return;
            }
        }
    }

    void closeNamed(const QByteArray& name)
    {
        for (auto it = open_.rbegin(); it != open_.rend(); ++it)
            if (it->name == name) {
                const size_t keep = size_t(open_.rend() - it) - 1;
                while (open_.size() > keep)
                    close();
                return;
            }
    }

    void close()
    {
        const Open element = open_.back();
        open_.pop_back();
        if (element.hidden || !IsBlock(element.name))
            return;
        out_.newline();
        if (element.name == "p" && out_.text.size() > element.textAt)
            out_.emptyLine();
    }

    QByteArrayView html_;
    TextOut out_;
    std::vector<Open> open_;
    qsizetype from_;
    qsizetype to_;
    bool started_ = false;
    bool ended_ = false;
    qsizetype startText_ = 0;
    qsizetype endText_ = 0;
    QByteArray startTags_;
    QByteArray endTags_;
};

} // namespace

QString PageText(QByteArrayView html) { return PageReader(html).text(); }

PageSpan PageTextBetween(QByteArrayView html, qsizetype from, qsizetype to)
{
    from = std::clamp<qsizetype>(from, 0, html.size());
    to = std::clamp<qsizetype>(to, from, html.size());
    return PageReader(html, from, to).span();
}

} // namespace bkl
