#pragma once
// Helpers of the calculation renderer tests: the demo models they read and a
// recorder of the statements sent while it lives.
#include "platform/db/Connection.h"
#include "support/DemoModel.h"

#include <QString>
#include <QStringList>

namespace bkl::test {

// Records every statement any connection runs from construction to destruction.
class StatementRecorder {
public:
    StatementRecorder()
    {
        db::SetStatementObserver([this](const QString& sql) { statements.append(sql); });
    }
    ~StatementRecorder() { db::SetStatementObserver({}); }
    StatementRecorder(const StatementRecorder&) = delete;
    StatementRecorder& operator=(const StatementRecorder&) = delete;

    QStringList statements;
};

} // namespace bkl::test
