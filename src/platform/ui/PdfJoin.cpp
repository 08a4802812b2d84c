#include "platform/ui/PdfJoin.h"

#include <QFile>
// The library's own smart pointers only, none of its older ones.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <memory>
#include <stdexcept>
#include <vector>

namespace bkl {

void JoinPdfs(const QStringList& parts, const QString& output, const QPageRanges& pages)
{
    QFile::remove(output);
    // One part whole is that part as the engine made it.
    if (parts.size() == 1 && pages.isEmpty()) {
        if (!QFile::copy(parts.front(), output))
            throw std::runtime_error(QStringLiteral("Cannot write %1.").arg(output).toStdString());
        return;
    }
    try {
        QPDF joined;
        joined.emptyPDF();
        QPDFPageDocumentHelper joinedPages(joined);
        // The pages copied keep their content in the parts until the joined PDF is written.
        std::vector<std::unique_ptr<QPDF>> read;
        int number = 0;
        for (const QString& part : parts) {
            read.push_back(std::make_unique<QPDF>());
            read.back()->processFile(QFile::encodeName(part).constData());
            for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(*read.back()).getAllPages())
                if (pages.isEmpty() || pages.contains(++number))
                    joinedPages.addPage(page, false);
        }
        QPDFWriter writer(joined, QFile::encodeName(output).constData());
        writer.setDeterministicID(true);
        writer.write();
    } catch (const std::exception& e) {
        QFile::remove(output);
        throw std::runtime_error(QStringLiteral("Cannot join the printed parts into %1: %2")
                                     .arg(output, QString::fromLocal8Bit(e.what()))
                                     .toStdString());
    }
}

} // namespace bkl
