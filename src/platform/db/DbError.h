#pragma once
#include <QString>
#include <stdexcept>

namespace bkl::db {

// The one error type of the data layer: what the user sees in "Connection Failed !"
// boxes and what ERROR log lines print (number, source, description). Control
// characters in the source and the description are kept as visible text (VisibleText).
class DbError : public std::runtime_error {
public:
    DbError(long number, QString source, QString description);
    long number() const { return number_; }
    const QString& source() const { return source_; }
    const QString& description() const { return description_; }

private:
    long number_;
    QString source_;
    QString description_;
};

// A statement interrupted because the user pressed Stop while it ran (see
// RunGuard::watchStop). It is how the run ends, in order and keeping what it has
// produced, as at any other stop: not a failure, so it is neither logged nor shown.
class StatementStopped : public std::runtime_error {
public:
    StatementStopped() : std::runtime_error("The statement was stopped.") {}
};

// Error numbers the data layer raises itself (the driver's own numbers pass through).
namespace err {
inline constexpr long InvalidUseOfNull = 94;
inline constexpr long TypeMismatch = 13;
inline constexpr long Overflow = 6;
inline constexpr long NoCurrentRecord = 3021;
inline constexpr long ItemNotFound = 3265;
inline constexpr long ObjectClosed = 3704;
inline constexpr long ProviderError = -2147467259; // generic provider failure
} // namespace err

inline constexpr char kDataLayerSource[] = "Brisklane data layer";

} // namespace bkl::db
