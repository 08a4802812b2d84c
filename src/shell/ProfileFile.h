#pragma once
// "model.profile" in the config folder: one connection profile per line, seven
// fields joined by "|": profile name, server host, user, password, model
// database, Windows authentication ("Y"/"N"), default ("Y"/"N").
// Lines end with CR LF when written; on reading a line ends at CR LF, CR or LF.
#include "shell/ErrorInfo.h"

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
struct ProfileRow {
    QString key;
    QString profileName;
    QString serverHost;
    QString user;
    QString modelDatabase;
    QString windowsAuth;
    QString isDefault;
    QString password;
};

// A profile file holds a handful of lines; a larger file is not one.
inline constexpr qint64 kMaxProfileFileBytes = 1024 * 1024;

// ApplicationFolderPath("config") + "model.profile".
QString ProfileFilePath();

// The login dialogs' reading: blank lines skipped, fields trimmed, further
// fields ignored; the default is the last profile whose seventh field is "Y" in
// any letter case (-1 when none). A line with fewer than seven fields is skipped
// with an ERROR log line. A missing file gives no profiles, silently; a file
// larger than kMaxProfileFileBytes or holding binary content gives none with an
// ERROR log line and is left as it is. The file is read as every file users
// hand us (UserTextFile: byte-order mark honoured, Latin-1 fallback).
struct LoginProfiles {
    QList<ModelProfile> profiles;
    int defaultIndex = -1;
};
LoginProfiles ReadProfilesForLogin(const QString& path);

// The profile manager's reading: the first five fields as they stand, the flags
// "Yes" when they are "Y" or "y" and "No" otherwise, key "P" and the 1-based
// number among the non-blank lines. Short lines are skipped as above and, when
// `malformedLines` is given, appended to it as they stand in the file.
QList<ProfileRow> ReadProfilesForManager(const QString& path, QStringList* malformedLines = nullptr);

// The line the writer makes of a row: five trimmed fields, then each flag "Y"
// for "Yes", "N" for "No" (outer blanks and letter case ignored), else empty.
QString ProfileLine(const ProfileRow& row);

// Replaces the file with one line per row, then the kept lines (malformed
// lines read from the file, so a hand edit is never lost), CR LF after each,
// atomically: on a failure the old file stays as it was. Returns false and
// fills the error (number: the file error code; description: the system's
// reason, such as "No space left on device").
bool WriteProfileFile(const QString& path, const QList<ProfileRow>& rows, const QStringList& keptLines,
                      ErrorInfo* error);

} // namespace bkl
