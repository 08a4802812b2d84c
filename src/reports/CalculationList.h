#pragma once
// The calculations of one calculation list, in list order: the "Calculation(s)"
// section of compensation plans and tailored reports.
#include "platform/db/Connection.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace bkl::reports {

// List table of the list's calculation names (the error spacer on failure).
QString GetCalculationsByListID(const db::Connection& cn, int32_t listId);
// The names, each led by CR LF and a tab ("" on failure).
QString ExportCalculationsByListID(const db::Connection& cn, int32_t listId);

// The same for a list id read from the model: no list id (NULL) is an empty list.
QString CalculationListHtml(const db::Connection& cn, std::optional<int32_t> listId);
QString CalculationListText(const db::Connection& cn, std::optional<int32_t> listId);

} // namespace bkl::reports
