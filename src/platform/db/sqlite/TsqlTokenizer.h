#pragma once
// Splits a T-SQL statement into tokens. String literals keep their contents byte for
// byte ('' stands for one quote), [bracketed] and "quoted" identifiers are unwrapped,
// comments are dropped. Comments are read as the server reads them: "--" ends at CR or
// LF, and /* */ comments nest (an unclosed one is an error). The embedded engine, the
// statement shapes and the SQL Server select-only gate all read statements through here.
#include <QString>
#include <vector>

namespace bkl::db::sqlite {

struct Token {
    enum class Kind { Word, QuotedName, String, Number, Symbol, End };
    Kind kind = Kind::End;
    QString text; // word or name as written / literal contents / number / symbol
    bool national = false; // N'...'
    int position = 0;      // offset in the statement

    bool isWord(const char* w) const
    {
        const QLatin1String word(w);
        return kind == Kind::Word && text.size() == word.size() && text.compare(word, Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(const char* s) const { return kind == Kind::Symbol && text == QLatin1String(s); }
    bool isName() const { return kind == Kind::Word || kind == Kind::QuotedName; }
};

// Where one token lies in the statement: [start, end) holds it as written, quotes
// and brackets included.
struct TokenSpan {
    Token::Kind kind = Token::Kind::End;
    int start = 0;
    int end = 0;
    bool national = false;
};

// Both throw DbError (unclosed quote, bracket or comment, a character T-SQL does not know).
// LexTsql only finds the tokens (into `out`, cleared first); TokenizeTsql also reads
// their texts and ends the list with an End token. LexTsql sets `firstComment`, when
// given, to the offset where the first comment ("--" or "/*") starts, -1 when none does.
void LexTsql(const QString& sql, std::vector<TokenSpan>& out, int* firstComment = nullptr);
std::vector<Token> TokenizeTsql(const QString& sql);

} // namespace bkl::db::sqlite
