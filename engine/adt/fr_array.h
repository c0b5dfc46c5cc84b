// Growable arrays of fixed-size records of the display engine.
//
// An element is built in the slot just past the count and then committed with FrArrayGrow, so the
// array always keeps that slot available; growth adds four zero-filled slots at a time. There is no
// size cap: the standard container grows until memory runs out, which fails the commit and leaves the
// array as it was.
#pragma once

#include <cstddef>
#include <new>
#include <vector>

namespace adt {

template <typename T>
class FrArray {
 public:
  FrArray() : slots_(kStep) {}

  size_t count() const { return count_; }
  size_t capacity() const { return slots_.size(); }
  T& operator[](size_t i) { return slots_[i]; }
  const T& operator[](size_t i) const { return slots_[i]; }
  // The slot past the count, where the next element is built.
  T& next_slot() { return slots_[count_]; }
  T* begin() { return slots_.data(); }
  T* end() { return slots_.data() + count_; }

  // Commits the element built past the count; grows first when no free slot would remain.
  bool FrArrayGrow() {
    if (count_ + 1 >= slots_.size()) {
      try {
        slots_.resize(slots_.size() + kStep);
      } catch (const std::bad_alloc&) {
        return false;
      }
    }
    ++count_;
    return true;
  }
  // Zero-fills the element at the index.
  void FrArrayClear(size_t index) { slots_[index] = T{}; }
  // Empties the array, keeping room for four elements.
  void FrArrayFree() {
    slots_.assign(kStep, T{});
    count_ = 0;
  }
  // Removes the element at the index, shifting the later ones down.
  void erase(size_t index) {
    slots_.erase(slots_.begin() + static_cast<std::ptrdiff_t>(index));
    slots_.push_back(T{});
    --count_;
  }

 private:
  static constexpr size_t kStep = 4;
  std::vector<T> slots_;
  size_t count_ = 0;
};

}  // namespace adt
