#pragma once
// The thread that joins the printed slices' PDFs and writes the PDF, beside the
// window's thread: joining a hundred slices and writing tens of MB take over a
// second. It is one thread that lives as long as the program, and the memory a
// piece of work freed is handed back to the system after it: a thread of its
// own for each join would leave its freed memory held by the C library's arena
// of that thread.
#include <QFuture>
#include <QString>
#include <functional>

namespace bkl {

// Runs `work` on the printing thread; the future holds what it threw as text
// (empty when it threw nothing). `work` owns what it uses: the caller may have
// gone by the time it runs.
QFuture<QString> RunOnPrintThread(std::function<void()> work);

// RunOnPrintThread, waited for with the event loop turning (a wait run). Throws
// std::runtime_error with what `work` threw, or when the wait ended before the
// work did (the program is quitting).
void RunOnPrintThreadAndWait(std::function<void()> work);

} // namespace bkl
