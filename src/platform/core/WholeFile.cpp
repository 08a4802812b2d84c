#include "platform/core/WholeFile.h"

#include "platform/core/UserTextFile.h"

namespace bkl {

WholeFile ReadWholeFile(const QString& path)
{
    WholeFile read;
    const std::unique_ptr<QFile> file = OpenedForReading(path);
    if (!file->open(QIODevice::ReadOnly)) {
        read.error = file->errorString();
        return read;
    }
    const qint64 size = file->size();
    read.bytes.reserve(static_cast<qsizetype>(size));
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file->read(block.data(), block.size());
        if (n < 0) {
            read.error = file->errorString();
            read.bytes.clear();
            return read;
        }
        if (n == 0)
            break;
        read.bytes.append(block.constData(), static_cast<qsizetype>(n));
    }
    if (read.bytes.size() < size) {
        read.error = QStringLiteral("the file ended after %1 of its %2 bytes").arg(read.bytes.size()).arg(size);
        read.bytes.clear();
    }
    return read;
}

} // namespace bkl
