#pragma once
// Helpers the shell tests share: folders of the test home, resetting the
// process-wide connection state, the common fixture.
#include "platform/core/ScriptedSeams.h"
#include "support/FileBytes.h"
#include "support/LogReader.h"
#include "support/TestWindows.h"

#include <gtest/gtest.h>

#include <QString>

namespace bkl::shelltest {

// Creates config, data, logs and temp under the test home.
void EnsureFolders();
using test::LogLines;
using test::LogText;
using test::FileBytes;
using test::ResetLog;
using test::WriteFileBytes;
using test::CloseAllWindows;
using test::OnNextModal;
using test::VisibleWindows;

// Clears g_sModelKey and the connection settings, and gives g_cnModel a fresh, closed connection.
void ResetConnectionState();

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
