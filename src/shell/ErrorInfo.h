#pragma once
// The number, source and description of the exception being handled, as the
// error handlers log them and the failure boxes show them.
#include <QString>

namespace bkl {

struct ErrorInfo {
    long number = 0;
    QString source;
    QString description;
};

// Call only inside a catch block. A database error keeps its own fields; an
// overflow of a whole-number conversion reads as 6 "Overflow"; anything else
// as the data layer's generic provider failure with the exception's text.
ErrorInfo CurrentErrorInfo();

} // namespace bkl
