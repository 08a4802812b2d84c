#pragma once
// The target model of a comparison: its process-wide connection and the
// procedures of the target login.
#include "platform/db/Connection.h"
#include "shell/ModelConnection.h"

#include <QString>

// The connection to the target model. Only the target login configures, opens
// and replaces it; the compare window's m_cnTarget refers to the same
// connection after a successful login.
extern bkl::db::Connection g_cnTarget;

namespace bkl::compare {

// True when host and model database (both trimmed by the caller) name the
// source model: equal to g_sServerHost and g_sModelName, case-sensitive.
bool IsSourceModel(const QString& host, const QString& modelDatabase);

// Opens `cn` on the target model database (command timeout 600 s). Returns 1 on
// success; on failure shows the "Connection Failed !" box with "Unable to
// connect to target model database !" and the error details, then writes the
// ERROR line, and returns -1.
int ConnectToTargetDataStoreSQLSERVER(const ConnectionSettings& settings, const QString& modelDatabase,
                                      db::Connection& cn);

} // namespace bkl::compare
