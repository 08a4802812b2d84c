#pragma once
// The renderer tests read the demo models through the shared fixture and the log
// through the shared reader.
#include "support/DemoModel.h"
#include "support/LogReader.h"

namespace bkl::test {
using ReportTest = DemoModelTest;
} // namespace bkl::test
