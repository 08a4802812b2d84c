#pragma once
// What a print dialog decided, read off its printer once it closed: the page
// layout and the pages the page is made into a PDF with, and where that PDF goes
// (a PDF file, or a printer of the print system with the copies, sides, order
// and colour chosen).
#include <QByteArray>
#include <QList>
#include <QPageLayout>
#include <QPageRanges>
#include <QPair>
#include <QString>

class QPrinter;

namespace bkl {

struct PrintJob {
    QPageLayout layout;   // paper, orientation and margins
    QPageRanges pages;    // empty: every page
    QString outputFile;   // the PDF file to write; empty: the printer below
    QString printer;      // print-system destination: "name" or "name/instance"
    QString title;        // the job's name in the print queue
    int copies = 1;
    bool collate = true;
    bool lastPageFirst = false;
    bool grayscale = false;
    int duplex = 0;       // QPrinter::DuplexMode
};

PrintJob ReadPrintJob(const QPrinter& printer);

using PrintOptions = QList<QPair<QByteArray, QByteArray>>;

// The print-system options of a job, in this order: media, copies and collate
// (more than one copy), sides, output order (last page first), colour
// (grayscale). Orientation and pages are the PDF's own.
PrintOptions PrintSystemOptions(const PrintJob& job);

// Sends the PDF where the job says: writes the file whole or leaves it as it
// was, or submits the PDF to the print system. Throws std::runtime_error with
// the reason.
void DeliverPdf(const QByteArray& pdf, const PrintJob& job);

} // namespace bkl
