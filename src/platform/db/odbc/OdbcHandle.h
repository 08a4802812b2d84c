#pragma once
// Owns one ODBC handle: allocated from its parent, freed with it.
#include "platform/db/odbc/OdbcDiagnostics.h"

#include <sql.h>

namespace bkl::db::odbc {

class Handle {
public:
    // Throws DbError (with the parent's diagnostics) when the handle cannot be allocated.
    Handle(SQLSMALLINT type, SQLHANDLE parent);
    ~Handle() { reset(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    SQLHANDLE get() const { return handle_; }
    // Frees the handle now (a statement: closes what is left of its result).
    void reset();

private:
    SQLSMALLINT type_;
    SQLHANDLE handle_ = SQL_NULL_HANDLE;
};

inline SQLPOINTER Integer(SQLULEN v) { return reinterpret_cast<SQLPOINTER>(v); }

} // namespace bkl::db::odbc
