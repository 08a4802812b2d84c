#pragma once
// Fixtures of the audit trace and advanced search tests: the frame fixture's
// scripted boxes, recording browser and log reader, plus opening g_cnModel on
// a demo database without the frame.
#include "FrameFixture.h"

#include "shell/Globals.h"
#include "support/TestEnvironment.h"

#include <QComboBox>
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
