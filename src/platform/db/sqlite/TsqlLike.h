#pragma once
// T-SQL LIKE patterns: % any run, _ one character, [abc] [a-z] a set, [^a] a negated
// set; compared case-insensitively (Unicode case folding), like a default server collation.
#include <QString>
#include <vector>

namespace bkl::db::sqlite {

class TsqlLikePattern {
public:
    explicit TsqlLikePattern(const QString& pattern);
    bool matches(const QString& text) const;
    const QString& pattern() const { return pattern_; }

private:
    struct Element {
        enum class Kind { AnyRun, One, Char, Set } kind;
        QChar ch;                                  // Char
        std::vector<std::pair<QChar, QChar>> ranges; // Set (single chars are ranges of one)
        bool negated = false;
    };
    QString pattern_;
    std::vector<Element> elements_;
    bool matchesAt(const Element& e, QChar c) const;
};

// Case-insensitive comparison of the engine's collation: trailing blanks ignored,
// Unicode-aware, ordering like a case-insensitive, accent-sensitive server collation.
int CompareCaseInsensitive(const QString& a, const QString& b);
// The same order over UTF-8 texts, as SQLite hands them to the collation.
int CompareCaseInsensitiveUtf8(const char* a, qsizetype na, const char* b, qsizetype nb);

} // namespace bkl::db::sqlite
