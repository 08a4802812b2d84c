#pragma once
// Helpers the shell tests share: folders of the test home, resetting the
// process-wide connection state, windows and modal dialogs.
#include "platform/core/ScriptedSeams.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <QString>

namespace bkl::shelltest {

// Creates config, data, logs and temp under the test home.
void EnsureFolders();
using test::LogLines;
using test::LogText;
using test::ReadFile;
using test::ResetLog;
using test::WriteFile;

// Clears g_sModelKey and the connection settings, and gives g_cnModel a fresh, closed connection.
void ResetConnectionState();

// Closes and deletes every top-level widget (windows left by a handler).
void CloseAllWindows();

// Makes a folder unwritable for its lifetime: by permissions, or for a
// superuser by the immutable attribute. locked() tells whether it worked.
class FolderWriteLock {
public:
    explicit FolderWriteLock(const QString& folder);
    ~FolderWriteLock();
    bool locked() const { return locked_; }

private:
    QString folder_;
    bool immutable_ = false;
    bool locked_ = false;
};

// The shell tests' fixture: folders present, an empty log, no connection,
// scripted seams; windows left open are closed afterwards.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    SeamGuard seams;
};

} // namespace bkl::shelltest

#include <functional>
class QWidget;

namespace bkl::shelltest {

// Runs `drive` on the modal dialog that the next blocking call opens, once its
// event loop runs (for handlers that show a window with exec()).
void OnNextModal(std::function<void(QWidget*)> drive);

// The visible top-level windows of a class, by its object name.
QList<QWidget*> VisibleWindows(const char* className);

} // namespace bkl::shelltest
