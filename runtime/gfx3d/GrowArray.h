// The runtime's growable array. Room is made in large steps (512 first, then multiples of
// 128) so that files read vertex by vertex reallocate rarely.
#pragma once

#include <cstddef>
#include <vector>

template <typename T> class GrowArray {
  public:
    static constexpr int kGrowStep = 128;
    static constexpr int kFirstCapacity = 512;

    // The capacity an array needs to make room for n elements.
    static int CapacityFor(int n) {
        return n <= kFirstCapacity ? kFirstCapacity : kGrowStep * (n / kGrowStep + 1);
    }

    // Makes room for n elements; existing elements move into the new block.
    void Reserve(int n) {
        if (capacity_ > n) return;
        capacity_ = CapacityFor(n);
        items_.reserve(static_cast<std::size_t>(capacity_));
    }
    T& Push(const T& item) {
        Reserve(Count() + 1);
        items_.push_back(item);
        return items_.back();
    }
    T& Push(T&& item) {
        Reserve(Count() + 1);
        items_.push_back(std::move(item));
        return items_.back();
    }
    // Sets the count to n: new elements are default values, surplus ones are destroyed.
    void Resize(int n) {
        if (n < 0) n = 0;
        Reserve(n);
        items_.resize(static_cast<std::size_t>(n));
    }
    // Empties the array and frees its block.
    void Free() {
        std::vector<T>().swap(items_);
        capacity_ = 0;
    }
    // Empties the array but keeps its block.
    void Clear() { items_.clear(); }
    // Makes this array hold a copy of other's elements.
    void CopyFrom(const GrowArray& other) {
        items_.clear();
        Reserve(other.Count());
        items_.insert(items_.end(), other.items_.begin(), other.items_.end());
    }

    int Count() const { return static_cast<int>(items_.size()); }
    int Capacity() const { return capacity_; }
    bool Empty() const { return items_.empty(); }
    T* Data() { return items_.data(); }
    const T* Data() const { return items_.data(); }
    T& operator[](int i) { return items_[static_cast<std::size_t>(i)]; }
    const T& operator[](int i) const { return items_[static_cast<std::size_t>(i)]; }
    T& Back() { return items_.back(); }
    const T& Back() const { return items_.back(); }
    typename std::vector<T>::iterator begin() { return items_.begin(); }
    typename std::vector<T>::iterator end() { return items_.end(); }
    typename std::vector<T>::const_iterator begin() const { return items_.begin(); }
    typename std::vector<T>::const_iterator end() const { return items_.end(); }

  private:
    std::vector<T> items_;
    int capacity_ = 0;
};
