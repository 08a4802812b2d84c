#include "platform/db/sqlite/TsqlParser.h"

#include "platform/db/sqlite/TsqlErrors.h"
#include "platform/db/sqlite/TsqlTokenizer.h"

namespace bkl::db::sqlite {

using namespace ast;

namespace {

// Words that end an expression or a name, so they are never taken as an alias.
const char* const kReserved[] = {"SELECT", "FROM", "WHERE", "GROUP", "BY", "ORDER", "HAVING", "UNION", "ALL",
                                 "AS", "ON", "JOIN", "INNER", "LEFT", "RIGHT", "OUTER", "FULL", "CROSS", "AND",
                                 "OR", "NOT", "IN", "IS", "NULL", "LIKE", "BETWEEN", "EXISTS", "DISTINCT", "TOP",
                                 "WITH", "INTO", "ASC", "DESC", "CASE", "WHEN", "THEN", "ELSE", "END", "COLLATE",
                                 "EXCEPT", "INTERSECT", "ESCAPE", "OPTION", "FOR", "UPDATE", "DELETE", "INSERT"};

bool isReserved(const Token& t)
{
    if (t.kind != Token::Kind::Word)
        return false;
    for (const char* w : kReserved)
        if (t.isWord(w))
            return true;
    return false;
}

class Parser {
    // Counts one level of nesting while it lives: a subquery, a parenthesised or
    // prefixed expression, or one more operator of a chain (a + b + c nests to the
    // left). Deeper than kMaxNestingDepth is an error, so neither the parser nor the
    // translator walking the tree recurses without a bound.
    class Nesting {
    public:
        explicit Nesting(Parser& p, int levels = 1) : p_(p) { deeper(levels); }
        ~Nesting() { p_.depth_ -= added_; }
        void deeper(int levels = 1)
        {
            p_.depth_ += levels;
            added_ += levels;
            if (p_.depth_ > kMaxNestingDepth)
                p_.fail(engine_err::TooDeep,
                        QStringLiteral("Some part of the statement is nested too deeply (more than %1 levels)")
                            .arg(kMaxNestingDepth));
        }

    private:
        Parser& p_;
        int added_ = 0;
    };

public:
    explicit Parser(const QString& sql) : sql_(sql), tokens_(TokenizeTsql(sql)) {}

    std::unique_ptr<Query> statement()
    {
        if (!peek().isWord("SELECT")) {
            if (peek().kind == Token::Kind::End)
                fail(engine_err::Syntax, QStringLiteral("The statement is empty"));
            fail(engine_err::ReadOnly,
                 QStringLiteral("Only SELECT statements can run on a model database, which is opened read-only"));
        }
        auto q = query();
        while (peek().isSymbol(";"))
            next();
        if (peek().kind != Token::Kind::End)
            fail(engine_err::Syntax, QStringLiteral("Incorrect syntax near '%1'").arg(peek().text));
        return q;
    }

private:
    const QString& sql_;
    std::vector<Token> tokens_;
    size_t at_ = 0;
    int depth_ = 0;

    const Token& peek(size_t ahead = 0) const { return tokens_[qMin(at_ + ahead, tokens_.size() - 1)]; }
    const Token& next()
    {
        const Token& t = tokens_[at_];
        if (at_ + 1 < tokens_.size())
            ++at_;
        return t;
    }
    [[noreturn]] void fail(long number, const QString& reason) const
    {
        ThrowTranslateError(number, reason, sql_, peek().position);
    }
    bool acceptWord(const char* w)
    {
        if (!peek().isWord(w))
            return false;
        next();
        return true;
    }
    bool acceptSymbol(const char* s)
    {
        if (!peek().isSymbol(s))
            return false;
        next();
        return true;
    }
    void expectWord(const char* w)
    {
        if (!acceptWord(w))
            fail(engine_err::Syntax, QStringLiteral("Incorrect syntax: %1 expected").arg(QLatin1String(w)));
    }
    void expectSymbol(const char* s)
    {
        if (!acceptSymbol(s))
            fail(engine_err::Syntax, QStringLiteral("Incorrect syntax: '%1' expected").arg(QLatin1String(s)));
    }
    QString name()
    {
        if (!peek().isName() || isReserved(peek()))
            fail(engine_err::Syntax, QStringLiteral("Incorrect syntax: a name expected"));
        return next().text;
    }
    // A word that can stand as an alias here (a bracketed name, or a word that is no keyword).
    bool aliasFollows() const { return peek().kind == Token::Kind::QuotedName || (peek().kind == Token::Kind::Word && !isReserved(peek())); }

    std::unique_ptr<Query> query()
    {
        const Nesting nesting(*this);
        auto q = std::make_unique<Query>();
        q->selects.push_back(select());
        while (peek().isWord("UNION")) {
            next();
            q->operators.push_back(acceptWord("ALL") ? QStringLiteral("UNION ALL") : QStringLiteral("UNION"));
            q->selects.push_back(select());
        }
        if (peek().isWord("EXCEPT") || peek().isWord("INTERSECT"))
            fail(engine_err::Unsupported, QStringLiteral("EXCEPT and INTERSECT are not supported by the embedded engine"));
        if (acceptWord("ORDER")) {
            expectWord("BY");
            do {
                OrderItem item;
                item.expr = expression();
                if (acceptWord("DESC"))
                    item.descending = true;
                else
                    acceptWord("ASC");
                q->orderBy.push_back(std::move(item));
            } while (acceptSymbol(","));
        }
        return q;
    }

    Select select()
    {
        Select s;
        s.position = peek().position;
        expectWord("SELECT");
        if (acceptWord("DISTINCT"))
            s.distinct = true;
        else
            acceptWord("ALL");
        if (peek().isWord("TOP")) {
            next();
            s.top = topCount();
        }
        do
            s.items.push_back(selectItem());
        while (acceptSymbol(","));
        if (peek().isWord("INTO"))
            fail(engine_err::ReadOnly, QStringLiteral("SELECT INTO writes a table and cannot run on a read-only model"));
        if (acceptWord("FROM"))
            fromClause(s);
        if (acceptWord("WHERE"))
            s.where = expression();
        if (acceptWord("GROUP")) {
            expectWord("BY");
            do
                s.groupBy.push_back(expression());
            while (acceptSymbol(","));
        }
        if (acceptWord("HAVING"))
            s.having = expression();
        return s;
    }

    long long topCount()
    {
        const bool paren = acceptSymbol("(");
        const Token& t = peek();
        bool ok = false;
        long long n = -1;
        if (t.kind == Token::Kind::Number && !t.text.contains(QLatin1Char('.')) && !t.text.contains(QLatin1Char('e'), Qt::CaseInsensitive))
            n = t.text.toLongLong(&ok);
        if (!ok || n < 0)
            fail(engine_err::InvalidTop,
                 QStringLiteral("The row count of a TOP clause must be an unsigned whole number"));
        next();
        if (paren)
            expectSymbol(")");
        if (peek().isWord("PERCENT") || peek().isWord("WITH"))
            fail(engine_err::Unsupported, QStringLiteral("TOP PERCENT and WITH TIES are not supported by the embedded engine"));
        return n;
    }

    static bool isPredicate(const Expr& e)
    {
        switch (e.kind) {
        case Expr::Kind::In:
        case Expr::Kind::IsNull:
        case Expr::Kind::Like:
        case Expr::Kind::Between:
        case Expr::Kind::Exists:
            return true;
        case Expr::Kind::Unary: return e.text == QLatin1String("NOT");
        case Expr::Kind::Binary:
            return !(e.text == QLatin1String("+") || e.text == QLatin1String("-") || e.text == QLatin1String("*")
                     || e.text == QLatin1String("/") || e.text == QLatin1String("%"));
        default: return false;
        }
    }

    SelectItem selectItem()
    {
        SelectItem item;
        // [ALIAS] = expr (or 'ALIAS' = expr): an alias assignment, never a comparison, in a select list.
        const bool aliasName = (peek().isName() && !isReserved(peek())) || peek().kind == Token::Kind::String;
        if (aliasName && peek(1).isSymbol("=")) {
            item.alias = next().text;
            next();
            item.expr = expression();
            return item;
        }
        item.expr = expression();
        if (isPredicate(*item.expr))
            ThrowTranslateError(engine_err::Syntax,
                                QStringLiteral("A comparison cannot stand in a select list (only [alias] = expression)"),
                                sql_, item.expr->position);
        if (acceptWord("AS")) {
            if (peek().kind == Token::Kind::String)
                item.alias = next().text;
            else
                item.alias = name();
        } else if (aliasFollows()) {
            item.alias = next().text;
        }
        return item;
    }

    void fromClause(Select& s)
    {
        s.from.push_back(tableRef(TableRef::Join::First));
        for (;;) {
            if (acceptSymbol(",")) {
                s.from.push_back(tableRef(TableRef::Join::Comma));
                continue;
            }
            TableRef::Join join;
            if (acceptWord("JOIN")) {
                join = TableRef::Join::Inner;
            } else if (peek().isWord("INNER") && peek(1).isWord("JOIN")) {
                next(), next();
                join = TableRef::Join::Inner;
            } else if (peek().isWord("LEFT")) {
                next();
                acceptWord("OUTER");
                expectWord("JOIN");
                join = TableRef::Join::Left;
            } else if (peek().isWord("CROSS")) {
                next();
                expectWord("JOIN");
                join = TableRef::Join::Cross;
            } else if (peek().isWord("RIGHT") || peek().isWord("FULL")) {
                fail(engine_err::Unsupported, QStringLiteral("RIGHT and FULL joins are not supported by the embedded engine"));
            } else {
                break;
            }
            TableRef ref = tableRef(join);
            if (join != TableRef::Join::Cross) {
                expectWord("ON");
                ref.on = expression();
            }
            s.from.push_back(std::move(ref));
        }
    }

    TableRef tableRef(TableRef::Join join)
    {
        TableRef ref;
        ref.join = join;
        ref.position = peek().position;
        if (acceptSymbol("(")) {
            if (!peek().isWord("SELECT"))
                fail(engine_err::Unsupported, QStringLiteral("Only a subquery can stand in parentheses in FROM"));
            ref.derived = query();
            expectSymbol(")");
        } else {
            ref.name << name();
            while (peek().isSymbol(".")) {
                next();
                if (peek().isSymbol(".")) { // server..table: empty schema part
                    ref.name << QString();
                    continue;
                }
                ref.name << name();
            }
        }
        if (acceptWord("AS"))
            ref.alias = name();
        else if (aliasFollows())
            ref.alias = next().text;
        tableHints();
        if (ref.derived && ref.alias.isEmpty())
            fail(engine_err::Syntax, QStringLiteral("A subquery in FROM needs an alias"));
        return ref;
    }

    // WITH (NOLOCK) and friends only steer the server's locking; a read-only file needs none.
    void tableHints()
    {
        const bool with = peek().isWord("WITH") && peek(1).isSymbol("(");
        const bool bare = peek().isSymbol("(") && peek(1).isWord("NOLOCK");
        if (!with && !bare)
            return;
        if (with)
            next();
        next();
        do {
            if (!(peek().isWord("NOLOCK") || peek().isWord("READUNCOMMITTED")))
                fail(engine_err::Unsupported, QStringLiteral("Only the NOLOCK table hint is supported by the embedded engine"));
            next();
        } while (acceptSymbol(","));
        expectSymbol(")");
    }

    // Expressions, loosest binding first.
    ExprPtr expression()
    {
        const Nesting nesting(*this);
        return orExpr();
    }

    static ExprPtr binary(const QString& op, ExprPtr l, ExprPtr r, int pos)
    {
        auto e = std::make_unique<Expr>();
        e->kind = Expr::Kind::Binary;
        e->text = op;
        e->position = pos;
        e->args.push_back(std::move(l));
        e->args.push_back(std::move(r));
        return e;
    }

    ExprPtr orExpr()
    {
        ExprPtr l = andExpr();
        Nesting chain(*this, 0);
        while (peek().isWord("OR")) {
            chain.deeper();
            const int pos = next().position;
            l = binary(QStringLiteral("OR"), std::move(l), andExpr(), pos);
        }
        return l;
    }

    ExprPtr andExpr()
    {
        ExprPtr l = notExpr();
        Nesting chain(*this, 0);
        while (peek().isWord("AND")) {
            chain.deeper();
            const int pos = next().position;
            l = binary(QStringLiteral("AND"), std::move(l), notExpr(), pos);
        }
        return l;
    }

    ExprPtr notExpr()
    {
        if (peek().isWord("NOT")) {
            const Nesting nesting(*this);
            auto e = std::make_unique<Expr>();
            e->kind = Expr::Kind::Unary;
            e->text = QStringLiteral("NOT");
            e->position = next().position;
            e->args.push_back(notExpr());
            return e;
        }
        return predicate();
    }

    ExprPtr predicate()
    {
        ExprPtr l = additive();
        const Token& t = peek();
        static const char* const cmp[] = {"=", "<>", "!=", "<", ">", "<=", ">="};
        for (const char* op : cmp)
            if (t.isSymbol(op)) {
                const int pos = next().position;
                return binary(QString::fromLatin1(op), std::move(l), additive(), pos);
            }
        if (t.isSymbol("!<") || t.isSymbol("!>"))
            fail(engine_err::Unsupported, QStringLiteral("The !< and !> operators are not supported by the embedded engine"));
        if (t.isWord("IS")) {
            auto e = std::make_unique<Expr>();
            e->kind = Expr::Kind::IsNull;
            e->position = next().position;
            e->negated = acceptWord("NOT");
            expectWord("NULL");
            e->args.push_back(std::move(l));
            return e;
        }
        bool negated = false;
        if (t.isWord("NOT") && (peek(1).isWord("IN") || peek(1).isWord("LIKE") || peek(1).isWord("BETWEEN"))) {
            next();
            negated = true;
        }
        if (peek().isWord("IN")) {
            auto e = std::make_unique<Expr>();
            e->kind = Expr::Kind::In;
            e->negated = negated;
            e->position = next().position;
            e->args.push_back(std::move(l));
            expectSymbol("(");
            if (peek().isWord("SELECT")) {
                e->query = query();
            } else {
                do
                    e->args.push_back(expression());
                while (acceptSymbol(","));
            }
            expectSymbol(")");
            return e;
        }
        if (peek().isWord("LIKE")) {
            auto e = std::make_unique<Expr>();
            e->kind = Expr::Kind::Like;
            e->negated = negated;
            e->position = next().position;
            e->args.push_back(std::move(l));
            e->args.push_back(additive());
            if (peek().isWord("ESCAPE"))
                fail(engine_err::Unsupported, QStringLiteral("LIKE ... ESCAPE is not supported by the embedded engine"));
            return e;
        }
        if (peek().isWord("BETWEEN")) {
            auto e = std::make_unique<Expr>();
            e->kind = Expr::Kind::Between;
            e->negated = negated;
            e->position = next().position;
            e->args.push_back(std::move(l));
            e->args.push_back(additive());
            expectWord("AND");
            e->args.push_back(additive());
            return e;
        }
        if (negated)
            fail(engine_err::Syntax, QStringLiteral("Incorrect syntax near NOT"));
        return l;
    }

    ExprPtr additive()
    {
        ExprPtr l = multiplicative();
        Nesting chain(*this, 0);
        while (peek().isSymbol("+") || peek().isSymbol("-")) {
            chain.deeper();
            const Token& op = next();
            l = binary(op.text, std::move(l), multiplicative(), op.position);
        }
        return l;
    }

    ExprPtr multiplicative()
    {
        ExprPtr l = unary();
        Nesting chain(*this, 0);
        while (peek().isSymbol("*") || peek().isSymbol("/") || peek().isSymbol("%")) {
            chain.deeper();
            const Token& op = next();
            l = binary(op.text, std::move(l), unary(), op.position);
        }
        return l;
    }

    ExprPtr unary()
    {
        if (peek().isSymbol("-") || peek().isSymbol("+")) {
            const Nesting nesting(*this);
            auto e = std::make_unique<Expr>();
            e->kind = Expr::Kind::Unary;
            e->text = peek().text;
            e->position = next().position;
            e->args.push_back(unary());
            return e;
        }
        return primary();
    }

    QString typeName()
    {
        QString type = name().toLower();
        if (acceptSymbol("(")) {
            QStringList args;
            do {
                if (peek().kind == Token::Kind::Number || peek().isWord("MAX"))
                    args << next().text;
                else
                    fail(engine_err::Syntax, QStringLiteral("Incorrect syntax in a type length"));
            } while (acceptSymbol(","));
            expectSymbol(")");
            type += QLatin1Char('(') + args.join(QLatin1Char(',')) + QLatin1Char(')');
        }
        return type;
    }

    ExprPtr primary()
    {
        const Token& t = peek();
        auto e = std::make_unique<Expr>();
        e->position = t.position;
        switch (t.kind) {
        case Token::Kind::Number:
            e->kind = Expr::Kind::Number;
            e->text = next().text;
            return e;
        case Token::Kind::String:
            e->kind = Expr::Kind::String;
            e->text = next().text;
            return e;
        case Token::Kind::End:
            fail(engine_err::Syntax, QStringLiteral("Incorrect syntax: the statement ends too early"));
        case Token::Kind::Symbol:
            if (t.isSymbol("(")) {
                next();
                if (peek().isWord("SELECT")) {
                    e->kind = Expr::Kind::Subquery;
                    e->query = query();
                } else {
                    e->kind = Expr::Kind::Paren;
                    e->args.push_back(expression());
                }
                expectSymbol(")");
                return e;
            }
            if (t.isSymbol("*")) {
                next();
                e->kind = Expr::Kind::Star;
                return e;
            }
            fail(engine_err::Syntax, QStringLiteral("Incorrect syntax near '%1'").arg(t.text));
        case Token::Kind::Word:
        case Token::Kind::QuotedName:
            break;
        }
        if (t.kind == Token::Kind::Word) {
            if (t.text.startsWith(QLatin1Char('@')) || t.text.startsWith(QLatin1Char('#')))
                fail(engine_err::Unsupported, QStringLiteral("Variables and temporary tables are not supported by the embedded engine"));
            if (t.isWord("NULL")) {
                next();
                e->kind = Expr::Kind::Null;
                return e;
            }
            if (t.isWord("EXISTS")) {
                next();
                expectSymbol("(");
                e->kind = Expr::Kind::Exists;
                e->query = query();
                expectSymbol(")");
                return e;
            }
            if (t.isWord("CASE"))
                fail(engine_err::Unsupported, QStringLiteral("CASE expressions are not supported by the embedded engine"));
            if (t.isWord("CAST") && peek(1).isSymbol("(")) {
                next(), next();
                e->kind = Expr::Kind::Cast;
                e->args.push_back(expression());
                expectWord("AS");
                e->text = typeName();
                expectSymbol(")");
                return e;
            }
            if (t.isWord("CONVERT") && peek(1).isSymbol("(")) {
                next(), next();
                e->kind = Expr::Kind::Cast;
                e->text = typeName();
                expectSymbol(",");
                e->args.push_back(expression());
                if (peek().isSymbol(","))
                    fail(engine_err::Unsupported, QStringLiteral("CONVERT with a style is not supported by the embedded engine"));
                expectSymbol(")");
                return e;
            }
            const bool stringFunction = t.isWord("LEFT") || t.isWord("RIGHT");
            if (isReserved(t) && !(stringFunction && peek(1).isSymbol("(")))
                fail(engine_err::Syntax, QStringLiteral("Incorrect syntax near the keyword '%1'").arg(t.text));
        }
        // A name: function call, column reference or qualified star.
        if (t.kind == Token::Kind::Word && peek(1).isSymbol("(")) {
            e->kind = Expr::Kind::Function;
            e->text = next().text.toLower();
            next();
            if (!peek().isSymbol(")")) {
                if (acceptWord("DISTINCT"))
                    e->distinctArg = true;
                if (peek().isSymbol("*") && peek(1).isSymbol(")")) {
                    next();
                    e->starArg = true;
                } else {
                    do
                        e->args.push_back(expression());
                    while (acceptSymbol(","));
                }
            }
            expectSymbol(")");
            return e;
        }
        e->kind = Expr::Kind::Column;
        e->parts << next().text;
        while (peek().isSymbol(".")) {
            next();
            if (peek().isSymbol("*")) {
                next();
                e->kind = Expr::Kind::Star;
                return e;
            }
            if (!peek().isName())
                fail(engine_err::Syntax, QStringLiteral("Incorrect syntax: a name expected after '.'"));
            e->parts << next().text;
        }
        return e;
    }
};

} // namespace

std::unique_ptr<Query> ParseTsqlSelect(const QString& sql)
{
    Parser p(sql);
    return p.statement();
}

} // namespace bkl::db::sqlite
