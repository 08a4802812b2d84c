#pragma once
// A PDF file the program printed, read for its pages and their text.
#include <QBuffer>
#include <QByteArray>
#include <QPdfDocument>
#include <QString>
#include <memory>

namespace bkl::test {

struct Pdf {
    QByteArray bytes;
    std::unique_ptr<QBuffer> buffer;
    QPdfDocument document;
    explicit Pdf(const QString& path);
    QString text(int page) { return document.getAllText(page).text(); }
    // The text of every page, one after the other, each ending with a line break.
    QString text();
};

} // namespace bkl::test
