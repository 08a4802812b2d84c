#pragma once
// Opens the demo source model and the frame window on it, with scripted
// message boxes, a recording browser and a recorded program end.
#include "QtPrinters.h"

#include "mainwindow/ui/frmBKLMain.h"
#include "mainwindow/ui/frmMDIBKLMain.h"
#include "platform/core/ScriptedSeams.h"

#include <QStringList>
#include <gtest/gtest.h>

class MainWindowFrame : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the frame on a demo database (the source model unless told otherwise).
    void OpenFrame(const QString& model = QStringLiteral("SalesModel2026"));
    // Ticks exactly the given kinds in the pickers.
    void SelectKinds(std::initializer_list<bkl::mainwindow::ObjectKind> kinds);
    // The messages of the log lines written since SetUp (the fourth field), and whole lines.
    QStringList LogMessages() const;
    QStringList LogLines() const;
    // Rows of the object list as "name|type".
    QStringList Rows() const;
    // Closes every top-level window left open and deletes it.
    static void CloseAllWindows();

    bkl::SeamGuard seams;
    frmMDIBKLMain* frame = nullptr;
    frmBKLMain* objects = nullptr;
    static int programEnds;

private:
    qint64 logStart_ = 0;
};
