#include "support/PrintedPdf.h"

#include "support/FileBytes.h"

#include <QPdfSelection>

namespace bkl::test {

Pdf::Pdf(const QString& path) : bytes(FileBytes(path)), buffer(new QBuffer(&bytes))
{
    buffer->open(QIODevice::ReadOnly);
    document.load(buffer.get());
}

QString Pdf::text()
{
    QString all;
    for (int i = 0; i < document.pageCount(); ++i)
        all += text(i) + QLatin1Char('\n');
    return all;
}

} // namespace bkl::test
