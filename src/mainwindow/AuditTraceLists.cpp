#include "mainwindow/AuditTraceLists.h"

#include "platform/db/Recordset.h"

namespace bkl::mainwindow {

QStringList ReadAuditFilterValues(const db::Connection& cn, const QString& sql)
{
    QStringList values;
    db::Recordset rs;
    rs.openForwardOnly(sql, cn);
    while (!rs.eof()) {
        values << rs.field(0).toText();
        rs.moveNext();
    }
    rs.close();
    return values;
}

} // namespace bkl::mainwindow
