#pragma once
// Window tests: scripted boxes and dialogs, recording browsers, the statements
// sent and the log lines written since the test began, and the demo model opened
// as the login leaves it, with or without the frame window on it.
#include "mainwindow/ui/frmBKLMain.h"
#include "mainwindow/ui/frmMDIBKLMain.h"
#include "platform/core/ScriptedSeams.h"
#include "support/RecordingBrowser.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <optional>

class QComboBox;
class QTreeWidget;

namespace bkl::test {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // g_cnModel and the login's globals on a demo database.
    static void OpenModel(const QString& model = QStringLiteral("SalesModel2026"));
    // OpenModel, then the frame window shown and active, with its object list.
    void OpenFrame(const QString& model = QStringLiteral("SalesModel2026"));
    // Closes every window left open, the compare window and the frames deleted.
    static void CloseWindows();
    // Rows of a list (the object list by default), cells joined by "|".
    QStringList Rows(const QTreeWidget* list = nullptr) const;
    static QStringList Items(const QComboBox* combo);
    // Answers the compare window's next target login: types `server` (user and
    // password "demo"), clicks Refresh Model(s), keeps the models listed in `models`
    // and closes the login.
    static void RefreshModelsInNextTargetLogin(const QString& server, QStringList& models);
    // Each box shown as "prompt|style|title".
    QStringList BoxTexts() const;
    // Log lines, and their messages (at `level` only unless empty), since the test began or MarkLog.
    QStringList LogLines() const;
    QStringList LogMessages(const QString& level = QString()) const;
    void MarkLog();

    SeamGuard seams;
    std::optional<RecordingBrowserFactory> browsers;
    QStringList statements; // every statement sent, in order
    frmMDIBKLMain* frame = nullptr;
    frmBKLMain* objects = nullptr;
    static inline int programEnds = 0;

private:
    qint64 logStart_ = 0;
};

} // namespace bkl::test
