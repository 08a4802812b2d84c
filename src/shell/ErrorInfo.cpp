#include "shell/ErrorInfo.h"

#include "platform/core/Settings.h"
#include "platform/db/DbError.h"

#include <exception>
#include <stdexcept>

namespace bkl {

ErrorInfo CurrentErrorInfo()
{
    try {
        throw;
    } catch (const db::DbError& e) {
        return {e.number(), e.source(), e.description()};
    } catch (const std::overflow_error&) {
        return {db::err::Overflow, QString::fromLatin1(kProductName), QStringLiteral("Overflow")};
    } catch (const std::exception& e) {
        return {db::err::ProviderError, QString::fromLatin1(kProductName), QString::fromUtf8(e.what())};
    } catch (...) {
        return {db::err::ProviderError, QString::fromLatin1(kProductName), QStringLiteral("Unknown error")};
    }
}

} // namespace bkl
