#pragma once
// Large buffers (a report page read whole, its display copy, a copy for the
// clipboard: tens of megabytes each) go back to the system when they are freed.
//
// By default the C library serves such a buffer from its own pools once it has
// seen one of that size freed (up to 32 MB), and a worker thread's pool keeps
// the end it freed: each long page shown could leave a page's worth of memory
// behind in the pool of the thread that read it, and a later thread takes
// another pool. With a fixed limit, every buffer above it is mapped on its own
// and unmapped when freed.
namespace bkl {

// Call once at start-up, before any thread is started.
void ReturnLargeBuffersWhenFreed();

} // namespace bkl
