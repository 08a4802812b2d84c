#include "platform/core/LargeBuffers.h"

#include <malloc.h>

namespace bkl {
namespace {

// Above this a buffer is mapped on its own; below it the pools serve it.
constexpr int kLargeBufferBytes = 1024 * 1024;

} // namespace

// Setting the limit also keeps the C library from raising it on its own.
void ReturnLargeBuffersWhenFreed() { mallopt(M_MMAP_THRESHOLD, kLargeBufferBytes); }

} // namespace bkl
