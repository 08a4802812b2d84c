#include "support/FailingFile.h"

#include "platform/core/UserTextFile.h"

#include <QFile>
#include <algorithm>
#include <cerrno>

namespace bkl::test {
namespace {

class BrokenFile final : public QFile {
public:
    BrokenFile(const QString& path, qint64 readableBytes) : QFile(path), readable_(readableBytes) {}

    bool open(OpenMode mode) override
    {
        if (readable_ < 0) {
            setErrorString(QStringLiteral("Permission denied"));
            return false;
        }
        return QFile::open(mode);
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (read_ >= readable_) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        const qint64 n = QFile::readData(data, std::min(maxSize, readable_ - read_));
        read_ += std::max<qint64>(n, 0);
        return n;
    }

private:
    qint64 readable_;
    qint64 read_ = 0;
};

} // namespace

FailingFile::FailingFile(const QString& path, qint64 readableBytes)
{
    SetUserTextFileAccessForTesting(
        {[path, readableBytes](const QString& statted) {
             return statted == path && readableBytes == kFolderCannotBeSearched ? EACCES : 0;
         },
         [path, readableBytes](const QString& opened) -> std::unique_ptr<QFile> {
             if (opened == path)
                 return std::make_unique<BrokenFile>(opened, readableBytes);
             return std::make_unique<QFile>(opened);
         }});
}

FailingFile::~FailingFile() { SetUserTextFileAccessForTesting({}); }

} // namespace bkl::test
