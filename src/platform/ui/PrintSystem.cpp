#include "platform/ui/PrintSystem.h"

#include "platform/core/SavedFile.h"

#include <QTemporaryFile>
#include <cups/cups.h>
#include <memory>
#include <stdexcept>

namespace bkl {
namespace {

[[noreturn]] void Refused(const QString& what)
{
    throw std::runtime_error(
        (what + QStringLiteral(": ") + QString::fromUtf8(cupsLastErrorString())).toStdString());
}

} // namespace

void SubmitToPrintSystem(const QByteArray& pdf, const QString& destination, const QString& title,
                         const QList<QPair<QByteArray, QByteArray>>& options)
{
    const QByteArray name = destination.section(QLatin1Char('/'), 0, 0).toUtf8();
    const QByteArray instance = destination.section(QLatin1Char('/'), 1).toUtf8();
    const std::unique_ptr<cups_dest_t, void (*)(cups_dest_t*)> dest(
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.isEmpty() ? nullptr : name.constData(),
                         instance.isEmpty() ? nullptr : instance.constData()),
        [](cups_dest_t* d) { cupsFreeDests(1, d); });
    if (!dest)
        Refused(QStringLiteral("The printer %1 is not available").arg(destination));

    // The print system reads the job from a file.
    QTemporaryFile file;
    if (!file.open() || !WriteAll(file, pdf))
        throw std::runtime_error(QStringLiteral("Cannot write the print job: %1").arg(file.errorString()).toStdString());

    int count = 0;
    cups_option_t* list = nullptr;
    for (int i = 0; i < dest->num_options; ++i)
        count = cupsAddOption(dest->options[i].name, dest->options[i].value, count, &list);
    for (const auto& [option, value] : options)
        count = cupsAddOption(option.constData(), value.constData(), count, &list);
    const int job = cupsPrintFile(dest->name, QFile::encodeName(file.fileName()).constData(), title.toUtf8().constData(),
                                  count, list);
    cupsFreeOptions(count, list);
    if (job == 0)
        Refused(QStringLiteral("The printer %1 refused the page").arg(QString::fromUtf8(dest->name)));
}

} // namespace bkl
