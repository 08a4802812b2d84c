#pragma once
// "model.profile" in the config folder: one connection profile per line, seven
// fields joined by "|": profile name, server host, user, password, model
// database, Windows authentication ("Y"/"N"), default ("Y"/"N").
// The program writes its lines with CR LF; on reading a line ends at CR LF, CR
// or LF. Save writes a line whose profile was not changed back as it was read.
#include "platform/core/FileSnapshot.h"
#include "shell/ErrorInfo.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace bkl {

// One profile as the login dialogs read it: every field trimmed of blanks.
struct ModelProfile {
    QString profileName;
    QString serverHost;
    QString user;
    QString password;
    QString modelDatabase;
    QString windowsAuth;
    QString isDefault;
};

// One row of the profile manager's list: flags as "Yes"/"No" texts, the
// password hidden with the row, `key` "P<n>" for rows read from the file.
// `fileLine` is the line a row was read from, as it stands in the file with its
// line end (UserTextFile::lineBytes); Save writes it back unchanged. A row added
// or changed in the add/modify dialog has none and is written by ProfileLine.
struct ProfileRow {
    QString key;
    QString profileName;
    QString serverHost;
    QString user;
    QString modelDatabase;
    QString windowsAuth;
    QString isDefault;
    QString password;
    QByteArray fileLine;
};

// A profile file holds a handful of lines; a larger file is not one.
inline constexpr qint64 kMaxProfileFileBytes = 1024 * 1024;

// ApplicationFolderPath("config") + "model.profile".
QString ProfileFilePath();

// The login dialogs' reading: blank lines skipped, fields trimmed, further
// fields ignored; the default is the last profile whose seventh field is "Y" in
// any letter case (-1 when none). A line with fewer than seven fields is skipped
// with an ERROR log line. A missing file gives no profiles, silently. A file
// the reader refuses whole (larger than kMaxProfileFileBytes, binary, a line
// over kMaxUserTextLineBytes, not a regular file) or does not read to its end
// (it cannot be opened, or reading fails part way) gives none with an ERROR log
// line, and `refusal` holds the reader's error number and reason (naming the
// file and, for a failed open or read, the system's reason); its number is 0
// otherwise. Such a file must not be written over. The
// file is read as every file users hand us (UserTextFile: byte-order mark
// honoured, Latin-1 fallback).
struct LoginProfiles {
    QList<ModelProfile> profiles;
    int defaultIndex = -1;
    ErrorInfo refusal;
};
LoginProfiles ReadProfilesForLogin(const QString& path);

// How the login dialogs read a profile's flags, outer blanks removed: the
// default is "Y" in any letter case; Windows authentication is "Y" only.
bool ProfileIsDefault(const QString& field);
bool ProfileUsesWindowsAuth(const QString& field);

// The profile manager's reading: the first five fields as they stand, the
// flags, outer blanks removed as the login removes them, "Yes" when they are
// "Y" or "y" and "No" otherwise, key "P" and the 1-based number among the
// non-blank lines. A row keeps its file line only when the login reads its
// flags as the manager shows them; otherwise (Windows authentication "y":
// "Yes" here, not ticked by the login) Save writes the row in the program's
// format, so that the login then does what the manager showed. Short lines are
// skipped as above and kept, as they stand in the file, for Save to write back.
// A refused file gives no rows and its `refusal`, as for the login. `read` is
// what the reader saw of the file (none there, or which file and its bytes),
// for Save to tell whether another program changed it meanwhile.
struct ManagerProfiles {
    QList<ProfileRow> rows;
    QList<QByteArray> keptLines;
    ErrorInfo refusal;
    FileSnapshot read;
};
ManagerProfiles ReadProfilesForManager(const QString& path);

// The line the writer makes of a row: five trimmed fields, then each flag "Y"
// for "Yes", "N" for "No" (outer blanks and letter case ignored), else empty.
QString ProfileLine(const ProfileRow& row);

// Replaces the file with one line per row (its file line when it has one, else
// ProfileLine), then the kept lines (malformed lines read from the file, so a
// hand edit is never lost); a line without a line end gets CR LF. The file is
// replaced atomically: on a failure the old file stays as it was, and Failed
// fills the error (number: the file error code; description: the system's
// reason, such as "No space left on device"). Right before the new file takes
// the old one's place, the file is read again: when it cannot be opened or read
// to its end, nothing is written and the result is Failed with the reader's
// error (number and reason, as ReadProfilesForLogin's refusal); when it is no
// longer what the manager read (`read`: other bytes, removed, replaced by
// another file, created where there was none, or refused by the reader), another
// program changed it, nothing is written and the result is ChangedSinceRead.
enum class ProfileSave { Saved, Failed, ChangedSinceRead };
ProfileSave WriteProfileFile(const QString& path, const QList<ProfileRow>& rows, const QList<QByteArray>& keptLines,
                             const FileSnapshot& read, ErrorInfo* error);

} // namespace bkl
