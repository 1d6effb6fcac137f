#include "heap_counter.h"

#include <malloc.h>

#include <cstdlib>
#include <new>

namespace quizmora {

namespace {

// Plain state, because operator new may run before any constructor and after every
// destructor.
struct HeapCount {
  bool counting = false;
  long long current = 0;  // may go below zero when older blocks are freed
  long long peak = 0;
};

HeapCount& heapCount() {
  static HeapCount count;
  return count;
}

}  // namespace

void* countedAllocate(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (!block) return nullptr;
  HeapCount& count = heapCount();
  if (count.counting) {
    count.current += static_cast<long long>(malloc_usable_size(block));
    if (count.current > count.peak) count.peak = count.current;
  }
  return block;
}

void countedDeallocate(void* block) {
  if (!block) return;
  HeapCount& count = heapCount();
  if (count.counting) count.current -= static_cast<long long>(malloc_usable_size(block));
  std::free(block);
}

HeapMeasurement::HeapMeasurement() { heapCount() = HeapCount{true, 0, 0}; }

HeapMeasurement::~HeapMeasurement() { heapCount().counting = false; }

std::size_t HeapMeasurement::peakBytes() const {
  return static_cast<std::size_t>(heapCount().peak);
}

}  // namespace quizmora

void* operator new(std::size_t size) {
  void* block = quizmora::countedAllocate(size);
  if (!block) throw std::bad_alloc();
  return block;
}

void operator delete(void* block) noexcept { quizmora::countedDeallocate(block); }

void operator delete(void* block, std::size_t) noexcept { quizmora::countedDeallocate(block); }
