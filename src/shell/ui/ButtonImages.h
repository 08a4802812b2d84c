#pragma once
#include <QIcon>
#include <QString>

namespace bkl {

// The profile windows' button icons by key: "addnew", "modify", "delete", "ok".
QIcon ButtonImage(const QString& key);

} // namespace bkl
