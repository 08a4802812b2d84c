#pragma once
// Fixtures of the audit trace and advanced search tests: the frame fixture's
// scripted boxes, recording browser and log reader, plus opening g_cnModel on
// a demo database without the frame.
#include "FrameFixture.h"

#include "shell/Globals.h"
#include "support/TestEnvironment.h"

#include <QFile>

// Opens g_cnModel on a demo database (the source model unless told otherwise).
inline void OpenDemoModel(const QString& model = QStringLiteral("SalesModel2026"))
{
    g_cnModel = bkl::db::Connection();
    g_cnModel.setConnectionString(bkl::test::DemoConnectionString(model));
    g_cnModel.open();
}

// The whole file as bytes ("" when missing).
inline QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class AuditTraceFixture : public MainWindowFrame {};
