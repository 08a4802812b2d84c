#pragma once
// What the report tests share: the demo models (opened once per suite; every detail
// section on and an empty log before each test), the log, a recorder of the
// statements sent, a check for pieces of a rendered text, and the namespaces
// every report test works in.
#include "platform/db/Connection.h"
#include "support/DemoModel.h"
#include "support/LogReader.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace bkl::reports {}
using namespace bkl;
using namespace bkl::reports;
using namespace bkl::test;
using namespace Qt::Literals::StringLiterals;

namespace bkl::test {

using ReportTest = DemoModelTest;

// Records every statement any connection runs from construction to destruction.
class StatementRecorder {
public:
    StatementRecorder() { db::SetStatementObserver([this](const QString& sql) { statements.append(sql); }); }
    ~StatementRecorder() { db::SetStatementObserver({}); }
    StatementRecorder(const StatementRecorder&) = delete;
    StatementRecorder& operator=(const StatementRecorder&) = delete;
    QStringList statements;
};

// Each piece occurs in `text`.
inline void ExpectPieces(const QString& text, const QStringList& pieces)
{
    for (const QString& piece : pieces)
        EXPECT_TRUE(text.contains(piece)) << piece.toStdString() << "\n  in: " << text.toStdString();
}

// `html` with "{f}" standing for "<font face='Calibri' size='2'>" (list cells) and
// "{F}" for "<font  face='Calibri' size='2'>" (detail cells), the tags every page repeats.
inline QString Html(const char* html)
{
    return QString::fromUtf8(html)
        .replace(u"{f}"_s, u"<font face='Calibri' size='2'>"_s)
        .replace(u"{F}"_s, u"<font  face='Calibri' size='2'>"_s);
}

// The dashed line an export block starts with: 100 dashes, 150 for tables.
inline QString Rule(int dashes = 100) { return QString(dashes, QLatin1Char('-')) + u"\r\n"_s; }

} // namespace bkl::test
