#pragma once
// Fixtures of the audit trace and advanced search tests: the frame fixture's
// scripted boxes, recording browser and log reader, plus opening g_cnModel on
// a demo database without the frame.
#include "FrameFixture.h"

#include "shell/Globals.h"
#include "support/DemoModel.h"
#include "support/FileBytes.h"
#include "support/TestEnvironment.h"

#include <QComboBox>

// Opens g_cnModel on a demo database (the source model unless told otherwise).
inline void OpenDemoModel(const QString& model = QStringLiteral("SalesModel2026"))
{
    g_cnModel = bkl::test::OpenDemoModel(model);
}

using bkl::test::FileBytes;

// The trace statement's column list, and the trace table's opening and header row, byte for byte.
inline const QString kAuditColumns = QStringLiteral(
    " UserID AS AUDITUSERID, Module AS AUDITMODULE, Event AUDITEVENT, Time AS AUDITTIME, Message AS AUDITMESSAGE FROM Audit");
inline const QString kAuditTableHead = QStringLiteral(
    "<table border='1' bgcolor='#CCCCFF' bordercolorlight='#000066' width='100%'  cellspacing='0' cellpadding='0'>"
    "<tr><td align = 'center' width='8%' ><b><font  face='Calibri' size='2'>Serial No</font></b></td>"
    "<td align = 'center' width='10%' ><b><font  face='Calibri' size='2'>User ID</font></b></td>"
    "<td align = 'center' width='8%' ><b><font  face='Calibri' size='2'>Module</font></b></td>"
    "<td align = 'center' width='15%' ><b><font  face='Calibri' size='2'>Event</font></b></td>"
    "<td align = 'center' width='22%' ><b><font  face='Calibri' size='2'>Time</font></b></td>"
    "<td width='37%' ><b><font  face='Calibri' size='2'>Message</font></b></td></tr>");

// Records the statements sent and reads the boxes shown.
class AuditTraceFixture : public MainWindowFrame {
protected:
    void SetUp() override
    {
        MainWindowFrame::SetUp();
        bkl::db::SetStatementObserver([this](const QString& sql) { statements << sql; });
    }
    void TearDown() override
    {
        bkl::db::SetStatementObserver(nullptr);
        MainWindowFrame::TearDown();
    }
    // Each box shown as "prompt|style|title".
    QStringList BoxTexts() const
    {
        QStringList texts;
        for (const auto& box : seams.boxes.shown)
            texts << QStringLiteral("%1|%2|%3").arg(box.prompt).arg(box.style).arg(box.title);
        return texts;
    }
    static QStringList Items(const QComboBox* combo)
    {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items;
    }

    QStringList statements;
};
