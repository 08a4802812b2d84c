#include "platform/db/sqlite/EngineFunctions.h"

#include "platform/db/sqlite/TsqlErrors.h"
#include "platform/db/sqlite/TsqlTranslator.h"

#include <sqlite3.h>

namespace bkl::db::sqlite {

namespace {

EngineContext* contextOf(sqlite3_context* c) { return static_cast<EngineContext*>(sqlite3_user_data(c)); }

QString textArg(sqlite3_value* v)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
}

bool anyNull(int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return true;
    return false;
}

void resultText(sqlite3_context* c, const QString& s)
{
    const QByteArray utf8 = s.toUtf8();
    sqlite3_result_text(c, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

void raise(sqlite3_context* c, long number, const char* message)
{
    contextOf(c)->functionError = number;
    sqlite3_result_error(c, message, -1);
}

int collate(void*, int n1, const void* p1, int n2, const void* p2)
{
    return CompareCaseInsensitiveUtf8(static_cast<const char*>(p1), n1, static_cast<const char*>(p2), n2);
}

// like(pattern, text): the function SQLite calls for "text LIKE pattern".
void likeFunction(sqlite3_context* c, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(c);
    EngineContext* ctx = contextOf(c);
    const QString pattern = textArg(argv[0]);
    if (!ctx->lastPattern || ctx->lastPattern->pattern() != pattern)
        ctx->lastPattern = std::make_unique<TsqlLikePattern>(pattern);
    sqlite3_result_int(c, ctx->lastPattern->matches(textArg(argv[1])) ? 1 : 0);
}

void leftOrRight(sqlite3_context* c, sqlite3_value** argv, bool left)
{
    const sqlite3_int64 n = sqlite3_value_int64(argv[1]);
    if (n < 0)
        return raise(c, engine_err::InvalidLength,
                     left ? "Invalid length parameter passed to the left function."
                          : "Invalid length parameter passed to the right function.");
    const QString s = textArg(argv[0]);
    resultText(c, left ? s.left(static_cast<qsizetype>(qMin<sqlite3_int64>(n, s.size())))
                       : s.right(static_cast<qsizetype>(qMin<sqlite3_int64>(n, s.size()))));
}

void leftFunction(sqlite3_context* c, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(c);
    leftOrRight(c, argv, true);
}

void rightFunction(sqlite3_context* c, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(c);
    leftOrRight(c, argv, false);
}

// charindex(find, in[, start]): 1-based position of find in `in`, 0 when absent.
void charindexFunction(sqlite3_context* c, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(c);
    const QString find = textArg(argv[0]);
    const QString in = textArg(argv[1]);
    sqlite3_int64 start = argc > 2 ? sqlite3_value_int64(argv[2]) : 1;
    if (start < 1)
        start = 1;
    if (find.isEmpty() || start > in.size())
        return sqlite3_result_int64(c, 0);
    const qsizetype at = in.indexOf(find, static_cast<qsizetype>(start - 1), Qt::CaseInsensitive);
    sqlite3_result_int64(c, at < 0 ? 0 : at + 1);
}

// len(s): length without trailing blanks.
void lenFunction(sqlite3_context* c, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(c);
    QString s = textArg(argv[0]);
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    sqlite3_result_int64(c, n);
}

void upperFunction(sqlite3_context* c, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(c);
    resultText(c, textArg(argv[0]).toUpper());
}

void lowerFunction(sqlite3_context* c, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(c);
    resultText(c, textArg(argv[0]).toLower());
}

// char(n): the character of code n in the server's default code page (Windows-1252),
// NULL outside 0..255.
void charFunction(sqlite3_context* c, int argc, sqlite3_value** argv)
{
    // Windows-1252 at 0x80..0x9F; the five codes it leaves free stand for themselves.
    static const char16_t k80To9F[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                         0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                         0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                         0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    if (anyNull(argc, argv))
        return sqlite3_result_null(c);
    const sqlite3_int64 code = sqlite3_value_int64(argv[0]);
    if (code < 0 || code > 0xFF)
        return sqlite3_result_null(c);
    resultText(c, QString(QChar(code >= 0x80 && code <= 0x9F ? k80To9F[code - 0x80] : char16_t(code))));
}

// nchar(n): the Unicode character of code n, NULL outside the Basic Multilingual Plane
// and for the surrogate codes (which are no characters on their own).
void ncharFunction(sqlite3_context* c, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(c);
    const sqlite3_int64 code = sqlite3_value_int64(argv[0]);
    if (code < 0 || code > 0xFFFF || (code >= 0xD800 && code <= 0xDFFF))
        return sqlite3_result_null(c);
    resultText(c, QString(QChar(char16_t(code))));
}

// object_id('name' | 'dbo.name' | '[name]'): the object's id in the emulated catalog.
void objectIdFunction(sqlite3_context* c, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(c);
    QStringList parts = textArg(argv[0]).split(QLatin1Char('.'));
    for (QString& p : parts) {
        p = p.trimmed();
        if (p.startsWith(QLatin1Char('[')) && p.endsWith(QLatin1Char(']')))
            p = p.mid(1, p.size() - 2);
    }
    if (parts.size() > 1 && parts.at(parts.size() - 2).compare(QLatin1String("dbo"), Qt::CaseInsensitive) != 0)
        return sqlite3_result_null(c);
    const auto it = contextOf(c)->objectIdByName.constFind(parts.last().toLower());
    if (it == contextOf(c)->objectIdByName.constEnd())
        return sqlite3_result_null(c);
    sqlite3_result_int64(c, it.value());
}

// bkl_rowcount(id): rows of the base table with that id, counted once per connection.
void rowCountFunction(sqlite3_context* c, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(c);
    EngineContext* ctx = contextOf(c);
    const qint64 id = sqlite3_value_int64(argv[0]);
    if (const auto it = ctx->rowCountById.constFind(id); it != ctx->rowCountById.constEnd())
        return sqlite3_result_int64(c, it.value());
    const auto name = ctx->tableNameById.constFind(id);
    if (name == ctx->tableNameById.constEnd())
        return sqlite3_result_null(c);
    QString quoted = name.value();
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    const QByteArray sql = QStringLiteral("SELECT COUNT(*) FROM main.\"%1\"").arg(quoted).toUtf8();
    sqlite3_stmt* st = nullptr;
    qint64 count = 0;
    if (sqlite3_prepare_v2(ctx->db, sql.constData(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        count = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    ctx->rowCountById.insert(id, count);
    sqlite3_result_int64(c, count);
}

} // namespace

SerializedCatalog::~SerializedCatalog() { sqlite3_free(data); }

void RegisterCaseInsensitiveCollation(sqlite3* db)
{
    sqlite3_create_collation(db, kCaseInsensitiveCollation, SQLITE_UTF8, nullptr, collate);
}

void RegisterEngineFunctions(sqlite3* db, EngineContext* context)
{
    context->db = db;
    RegisterCaseInsensitiveCollation(db);
    struct Fn {
        const char* name;
        int args;
        void (*f)(sqlite3_context*, int, sqlite3_value**);
        bool pure; // same arguments, same result: may be factored out and used in indexes
    };
    const Fn functions[] = {
        {"like", 2, likeFunction, true},
        {"bkl_left", 2, leftFunction, true},
        {"bkl_right", 2, rightFunction, true},
        {"bkl_charindex", 2, charindexFunction, true},
        {"bkl_charindex", 3, charindexFunction, true},
        {"bkl_len", 1, lenFunction, true},
        {"bkl_upper", 1, upperFunction, true},
        {"bkl_lower", 1, lowerFunction, true},
        {"bkl_char", 1, charFunction, true},
        {"bkl_nchar", 1, ncharFunction, true},
        {"bkl_object_id", 1, objectIdFunction, false},
        {"bkl_rowcount", 1, rowCountFunction, false},
    };
    for (const Fn& fn : functions)
        sqlite3_create_function(db, fn.name, fn.args, SQLITE_UTF8 | (fn.pure ? SQLITE_DETERMINISTIC : 0), context, fn.f,
                                nullptr, nullptr);
}

} // namespace bkl::db::sqlite
