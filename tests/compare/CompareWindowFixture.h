#pragma once
// The compare window on the demo source model, with scripted message boxes and
// file dialogs and recording browsers.
#include "compare/ui/frmBKLCompareObjects.h"
#include "platform/core/ScriptedSeams.h"
#include "support/RecordingBrowser.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

class CompareWindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens g_cnModel on the source model and stores its settings as the source login does.
    static void OpenSourceModel();
    // The loaded compare window.
    frmBKLCompareObjects& Window();
    // Gives the window an open connection to a demo database as its target.
    void ConnectTarget(const QString& model = QStringLiteral("SalesModel2026_Target"));
    // Loads the source list from the picker item with this text.
    void LoadKind(const QString& pickerItem);
    // Adds a compare row by selecting the first source row with this NAME and TYPE and pressing Add.
    void AddCompareRow(const QString& name, const QString& type);

    // Runs `action`; `inside` is called with the modal window it opens
    // (nullptr when none opens) and must close it.
    static void WithModal(const std::function<void()>& action, const std::function<void(QWidget*)>& inside);

    // Rows of a list as "name|type" or "name|type|status".
    static QStringList Rows(const QTreeWidget* list);
    // Messages of the log lines written since SetUp.
    QStringList LogMessages() const;
    // Bytes of a file.
    static QByteArray FileBytes(const QString& path);
    static void WriteFileBytes(const QString& path, const QByteArray& bytes);

    bkl::SeamGuard seams;
    std::unique_ptr<bkl::test::RecordingBrowserFactory> browsers;

private:
    qint64 logStart_ = 0;
};
