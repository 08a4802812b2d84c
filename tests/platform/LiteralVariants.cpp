#include "LiteralVariants.h"

#include "platform/db/DbError.h"
#include "platform/db/sqlite/TsqlTokenizer.h"

#include <vector>

namespace bkl::test {

QStringList LiteralVariants(const QString& sql)
{
    // A literal's value can count where it stands (a position, a truth value, a length),
    // and numbers and texts give different statement shapes.
    static const char* const standIns[] = {"0", "2", "-1", "(2)", "- (3)", "'x2'", "N''"};
    std::vector<db::sqlite::TokenSpan> spans;
    try {
        db::sqlite::LexTsql(sql, spans);
    } catch (const db::DbError&) {
        return {};
    }
    QStringList out;
    for (const db::sqlite::TokenSpan& t : spans) {
        if (t.kind != db::sqlite::Token::Kind::String && t.kind != db::sqlite::Token::Kind::Number)
            continue;
        for (const char* standIn : standIns) {
            const QString variant = QString(sql).replace(t.start, t.end - t.start, QLatin1String(standIn));
            if (variant != sql)
                out << variant;
        }
    }
    return out;
}

} // namespace bkl::test
