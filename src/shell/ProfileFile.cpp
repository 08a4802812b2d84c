#include "shell/ProfileFile.h"

#include "platform/core/TextSemantics.h"
#include "platform/core/UserTextFile.h"
#include "shell/Log.h"

#include <QSaveFile>
#include <QStringList>

namespace bkl {
namespace {

constexpr int kFieldCount = 7;
// The platform's "Subscript out of range": what reading a short line's seventh field raised.
constexpr long kSubscriptOutOfRange = 9;

struct FileLine {
    QString text;
    QByteArray bytes; // as it stands in the file, with its line end
};

// The platform's "File not found".
constexpr long kFileNotFound = 53;

// The file's non-blank lines. A missing file gives none, silently. A file that
// was not read to its end gives none with an ERROR line, and its refusal: one
// refused as not a profile file (too large, binary, not a regular file), one
// that cannot be opened or whose existence cannot be told, one whose reading
// failed part way. Writing the profiles of such a file over it would lose the
// ones not read. `snapshot`, when given, takes what the reader saw of the file.
QList<FileLine> NonBlankLines(const QString& path, const QString& reader, ErrorInfo& refusal,
                              FileSnapshot* snapshot = nullptr)
{
    UserTextFile file(path, kMaxProfileFileBytes);
    if (snapshot)
        file.keepBytes();
    QList<FileLine> lines;
    QString line;
    while (file.readLine(line))
        if (!Trim(line).isEmpty())
            lines.push_back({line, file.lineBytes()});
    if (snapshot)
        *snapshot = file.snapshot();
    if (file.status() == UserTextFile::Status::Ok || file.errorNumber() == kFileNotFound)
        return lines;
    LogFunctionError(reader, file.errorNumber(), file.errorString() + QStringLiteral("; no profiles are read"));
    refusal = {file.errorNumber(), QStringLiteral("model.profile"), file.errorString()};
    return {};
}

// Splits a line, its outer blanks removed, into its fields; logs and gives an
// empty list when it is short.
QStringList FieldsOf(const QString& line, int lineNumber, const QString& reader)
{
    const QStringList fields = Trim(line).split(QLatin1Char('|'));
    if (fields.size() >= kFieldCount)
        return fields;
    LogFunctionError(reader, kSubscriptOutOfRange,
                     QStringLiteral("Subscript out of range: profile line %1 of model.profile has fewer than seven "
                                    "fields and is skipped")
                         .arg(lineNumber));
    return {};
}

QString FlagField(const QString& shown)
{
    const QString f = UCase(Trim(shown));
    if (f == QLatin1String("YES"))
        return QStringLiteral("Y");
    if (f == QLatin1String("NO"))
        return QStringLiteral("N");
    return {};
}

QString FlagText(const QString& field)
{
    return UCase(Trim(field)) == QLatin1String("Y") ? QStringLiteral("Yes") : QStringLiteral("No");
}

bool ShownYes(const QString& text) { return text == QLatin1String("Yes"); }

// What the manager's reader finds of the file now. A file that cannot be
// opened or read to its end fills `unreadable` with the reader's error number
// and reason; one refused (binary or too large now) is only another file.
FileSnapshot SnapshotNow(const QString& path, ErrorInfo& unreadable)
{
    UserTextFile file(path, kMaxProfileFileBytes);
    file.keepBytes();
    for (QString line; file.readLine(line);) {
    }
    const FileSnapshot seen = file.snapshot();
    if (seen.seen == FileSnapshot::Seen::Unknown && !file.refused())
        unreadable = {file.errorNumber(), QStringLiteral("model.profile"), file.errorString()};
    return seen;
}

} // namespace

bool ProfileIsDefault(const QString& field) { return UCase(Trim(field)) == QLatin1String("Y"); }

bool ProfileUsesWindowsAuth(const QString& field) { return Trim(field) == QLatin1String("Y"); }

QString ProfileFilePath() { return ApplicationFolderPath(QStringLiteral("config")) + QStringLiteral("model.profile"); }

LoginProfiles ReadProfilesForLogin(const QString& path)
{
    LoginProfiles out;
    const QString reader = QStringLiteral("LoadModelProfiles");
    const QList<FileLine> lines = NonBlankLines(path, reader, out.refusal);
    for (int i = 0; i < lines.size(); ++i) {
        const QStringList f = FieldsOf(lines.at(i).text, i + 1, reader);
        if (f.isEmpty())
            continue;
        ModelProfile p{Trim(f[0]), Trim(f[1]), Trim(f[2]), Trim(f[3]), Trim(f[4]), Trim(f[5]), Trim(f[6])};
        if (ProfileIsDefault(p.isDefault))
            out.defaultIndex = static_cast<int>(out.profiles.size());
        out.profiles << p;
    }
    return out;
}

ManagerProfiles ReadProfilesForManager(const QString& path)
{
    ManagerProfiles out;
    const QString reader = QStringLiteral("FillProfileList");
    const QList<FileLine> lines = NonBlankLines(path, reader, out.refusal, &out.read);
    for (int i = 0; i < lines.size(); ++i) {
        const FileLine& line = lines.at(i);
        const QStringList f = FieldsOf(line.text, i + 1, reader);
        if (f.isEmpty()) {
            out.keptLines << line.bytes;
            continue;
        }
        ProfileRow row{QStringLiteral("P") + QString::number(i + 1), f[0], f[1], f[2], f[4],
                       FlagText(f[5]), FlagText(f[6]), f[3], line.bytes};
        // Written back as read only when the login reads the flags as shown here.
        const bool readAlike = ProfileUsesWindowsAuth(f[5]) == ShownYes(row.windowsAuth)
                               && ProfileIsDefault(f[6]) == ShownYes(row.isDefault);
        if (!readAlike)
            row.fileLine.clear();
        out.rows << row;
    }
    return out;
}

QString ProfileLine(const ProfileRow& row)
{
    return QStringList{Trim(row.profileName), Trim(row.serverHost), Trim(row.user), Trim(row.password),
                       Trim(row.modelDatabase), FlagField(row.windowsAuth), FlagField(row.isDefault)}
        .join(QLatin1Char('|'));
}

ProfileSave WriteProfileFile(const QString& path, const QList<ProfileRow>& rows, const QList<QByteArray>& keptLines,
                             const FileSnapshot& read, ErrorInfo* error)
{
    QByteArray bytes;
    const auto append = [&bytes](const QByteArray& line) {
        bytes += line;
        if (!line.endsWith('\n') && !line.endsWith('\r'))
            bytes += kCrLf;
    };
    for (const ProfileRow& row : rows)
        append(row.fileLine.isEmpty() ? ProfileLine(row).toUtf8() : row.fileLine);
    for (const QByteArray& line : keptLines)
        append(line);
    // Unbuffered, so that a write that fails (a full disk) fails here with its
    // reason: a buffered write failing at commit() would still replace the
    // file with the part written. The reason is taken before commit() or
    // cancelWriting() clear it.
    QSaveFile f(path);
    bool written = f.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    for (qint64 done = 0; written && done < bytes.size();) {
        const qint64 n = f.write(bytes.constData() + done, bytes.size() - done);
        written = n > 0;
        done += n;
    }
    ErrorInfo failure{static_cast<long>(f.error()), QStringLiteral("model.profile"), f.errorString()};
    // Compared as late as can be, with the new file complete and only its
    // rename over the old one left: another program (an editor, a second
    // Brisklane sharing the folder) may have changed the file at any time
    // since the manager read it.
    if (written) {
        ErrorInfo unreadable;
        const FileSnapshot now = SnapshotNow(path, unreadable);
        if (unreadable.number != 0) {
            // Whatever it holds is not known: it is kept, and the failure is its reading's.
            written = false;
            failure = unreadable;
        } else if (!SameFile(read, now)) {
            f.cancelWriting();
            return ProfileSave::ChangedSinceRead;
        }
    }
    if (written && f.commit())
        return ProfileSave::Saved;
    if (written) // the rename over the old file failed
        failure = {static_cast<long>(f.error()), QStringLiteral("model.profile"), f.errorString()};
    f.cancelWriting();
    if (error)
        *error = failure;
    return ProfileSave::Failed;
}

} // namespace bkl
