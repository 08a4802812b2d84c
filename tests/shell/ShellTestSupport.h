#pragma once
// What the shell tests share: the fixture (folders of the test home present, an
// empty log, no connection, scripted seams; windows left open are closed
// afterwards), the helpers of the common support folder, and a folder lock.
#include "platform/core/ScriptedSeams.h"
#include "shell/ProfileFile.h"
#include "support/FileBytes.h"
#include "support/LogReader.h"
#include "support/ShownBox.h"
#include "support/TestWindows.h"

#include <QString>
#include <initializer_list>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

class QWidget;

namespace bkl::shelltest {

using namespace bkl::test;

// Creates config, data, logs and temp under the test home.
void EnsureFolders();

// The log's lines without date and model key: "INFO|Launch ...", "ERROR|Function: ...".
QStringList LogEntries();

// Profiles as the readers give them, one text a profile: the login's
// "name|host|user|password|model|auth|default", the manager's
// "key,name,host,user,model,auth,default,password".
QStringList LoginTexts(const QList<ModelProfile>& profiles);
QString RowText(const ProfileRow& row);
QStringList RowTexts(const QList<ProfileRow>& rows);

// 2,500 profiles, the first one the default: a file longer than 64 KiB.
QByteArray ManyProfiles();

// A profile file not read to its end: its open refused (no read permission),
// its existence not to be told (no search permission on its folder), or its
// reading failed after the first 64 KiB (a failing disk). `readable` as
// FailingFile takes it; the reader's error number and reason.
struct UnreadableProfileFile {
    qint64 readable;
    long number;
    QString reason;
};
QList<UnreadableProfileFile> UnreadableProfileFiles();

// Gives each widget the focus and presses Return and the keypad's Enter there.
void PressEnterIn(std::initializer_list<QWidget*> widgets);

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

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    SeamGuard seams;
};

} // namespace bkl::shelltest

using namespace bkl;
using namespace bkl::shelltest;
