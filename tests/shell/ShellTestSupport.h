#pragma once
// Helpers the shell tests share: the log file of the test home, the profile
// file, and resetting the process-wide connection state.
#include <QString>
#include <QStringList>

namespace bkl::shelltest {

// Creates config, data, logs and temp under the test home.
void EnsureFolders();
// Deletes BKL.log.
void ResetLog();
// The lines of BKL.log (CR LF split; no trailing empty line).
QStringList LogLines();
// The raw bytes of BKL.log as text.
QString LogText();

// Writes text to a file, creating it (bytes exactly as given).
void WriteFile(const QString& path, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);

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
