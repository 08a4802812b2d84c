#pragma once
// An audit trace page long enough to be shown from a display copy: the page the
// program's page builder writes for every record of a copy of the demo model
// whose audit log holds each record `copies` times.
#include <QString>

namespace bkl::test {

// Writes the page to `path` and returns its record count (400 x copies).
int WriteLongAuditPage(const QString& path, int copies);

} // namespace bkl::test
