#include "shell/ProfileFile.h"

#include "platform/core/TextSemantics.h"
#include "shell/Log.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>

namespace bkl {
namespace {

constexpr int kFieldCount = 7;
// The platform's "Subscript out of range": what reading a short line's seventh field raised.
constexpr long kSubscriptOutOfRange = 9;

// The file's non-blank lines with their outer blanks removed; a missing or
// unreadable file gives none.
QStringList NonBlankLines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(f.readAll());
    f.close();
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines;
    for (const QString& line : text.split(lineEnd)) {
        const QString trimmed = Trim(line);
        if (!trimmed.isEmpty())
            lines << trimmed;
    }
    return lines;
}

// Splits a line into its fields; logs and gives an empty list when it is short.
QStringList FieldsOf(const QString& line, int lineNumber, const QString& reader)
{
    const QStringList fields = line.split(QLatin1Char('|'));
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

QString FlagText(const QString& field) { return UCase(field) == QLatin1String("Y") ? QStringLiteral("Yes") : QStringLiteral("No"); }

} // namespace

QString ProfileFilePath() { return ApplicationFolderPath(QStringLiteral("config")) + QStringLiteral("model.profile"); }

LoginProfiles ReadProfilesForLogin(const QString& path)
{
    LoginProfiles out;
    const QStringList lines = NonBlankLines(path);
    for (int i = 0; i < lines.size(); ++i) {
        const QStringList f = FieldsOf(lines.at(i), i + 1, QStringLiteral("LoadModelProfiles"));
        if (f.isEmpty())
            continue;
        ModelProfile p{Trim(f[0]), Trim(f[1]), Trim(f[2]), Trim(f[3]), Trim(f[4]), Trim(f[5]), Trim(f[6])};
        if (UCase(p.isDefault) == QLatin1String("Y"))
            out.defaultIndex = static_cast<int>(out.profiles.size());
        out.profiles << p;
    }
    return out;
}

QList<ProfileRow> ReadProfilesForManager(const QString& path)
{
    QList<ProfileRow> rows;
    const QStringList lines = NonBlankLines(path);
    for (int i = 0; i < lines.size(); ++i) {
        const QStringList f = FieldsOf(lines.at(i), i + 1, QStringLiteral("FillProfileList"));
        if (f.isEmpty())
            continue;
        rows << ProfileRow{QStringLiteral("P") + QString::number(i + 1), f[0], f[1], f[2], f[4],
                           FlagText(f[5]), FlagText(f[6]), f[3]};
    }
    return rows;
}

QString ProfileLine(const ProfileRow& row)
{
    return QStringList{Trim(row.profileName), Trim(row.serverHost), Trim(row.user), Trim(row.password),
                       Trim(row.modelDatabase), FlagField(row.windowsAuth), FlagField(row.isDefault)}
        .join(QLatin1Char('|'));
}

bool WriteProfileFile(const QString& path, const QList<ProfileRow>& rows, ErrorInfo* error)
{
    QString text;
    for (const ProfileRow& row : rows)
        text += ProfileLine(row) + QLatin1String(kCrLf);
    QSaveFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(text.toUtf8());
        if (f.commit())
            return true;
    }
    if (error)
        *error = {static_cast<long>(f.error()), QStringLiteral("model.profile"), f.errorString()};
    return false;
}

} // namespace bkl
