#include "platform/core/SavedFile.h"

#include <QSaveFile>

namespace bkl {

bool WriteAll(QFileDevice& file, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const qint64 written = file.write(bytes.data(), bytes.size());
        if (written <= 0)
            return false;
        bytes = bytes.sliced(written);
    }
    return file.flush();
}

QString SaveWholeFile(const QString& path, QByteArrayView bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !WriteAll(file, bytes) || !file.commit())
        return file.errorString();
    return {};
}

} // namespace bkl
