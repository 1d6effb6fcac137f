#pragma once
// Counts the bytes the program holds on the heap while a measurement is open, through a
// replaced global operator new and delete. Single-threaded, like the benchmarks.

#include <cstddef>

namespace quizmora {

class HeapMeasurement {
 public:
  HeapMeasurement();  // starts counting from zero
  ~HeapMeasurement();
  HeapMeasurement(const HeapMeasurement&) = delete;
  HeapMeasurement& operator=(const HeapMeasurement&) = delete;

  // The most bytes held at once since the measurement started (blocks freed that were
  // allocated before it count as nothing).
  std::size_t peakBytes() const;
};

// Allocation functions that count into the open measurement; handed to libraries that take
// their own (pugixml).
void* countedAllocate(std::size_t size);
void countedDeallocate(void* block);

}  // namespace quizmora
