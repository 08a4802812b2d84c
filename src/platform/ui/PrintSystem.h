#pragma once
// The print system (CUPS): a PDF handed to a printer as a print job.
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace bkl {

// Submits the PDF to `destination` ("name" or "name/instance"; empty: the
// default printer) with the destination's own saved options, then `options`.
// Throws std::runtime_error with the print system's reason when the printer is
// unknown or the job is refused.
void SubmitToPrintSystem(const QByteArray& pdf, const QString& destination, const QString& title,
                         const QList<QPair<QByteArray, QByteArray>>& options);

} // namespace bkl
