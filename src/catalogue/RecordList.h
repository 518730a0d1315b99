#pragma once
// An ordered list that owns its records. Positions are the records' identity in the
// data file; references between records are plain pointers.
//
// Every entry holds a record: Add refuses an empty one (std::invalid_argument, a fault in
// the caller that the program's top-level handler reports), so code that walks a list never
// checks its entries for null.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <vector>

template <class T> class TRecordList {
public:
    using Compare = int (*)(const T *, const T *);

    int Count() const { return static_cast<int>(items_.size()); }
    bool Empty() const { return items_.empty(); }
    T *operator[](int i) const { return items_[static_cast<std::size_t>(i)].get(); }

    // Linear search: fine for single edits; bulk work builds a position map instead.
    int IndexOf(const T *record) const {
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (items_[i].get() == record)
                return static_cast<int>(i);
        return -1;
    }

    T *Add(std::unique_ptr<T> record) {
        if (!record)
            throw std::invalid_argument("An empty record cannot be added to a list");
        items_.push_back(std::move(record));
        return items_.back().get();
    }
    // Removes and destroys the record; every reference to it must be cleared first.
    void Remove(const T *record) {
        const int pos = IndexOf(record);
        if (pos >= 0)
            items_.erase(items_.begin() + pos);
    }
    // Moves the record at `from` to `to`; the records between shift by one place.
    void Move(int from, int to) {
        if (from == to)
            return;
        auto first = items_.begin();
        if (from < to)
            std::rotate(first + from, first + from + 1, first + to + 1);
        else
            std::rotate(first + to, first + from, first + from + 1);
    }
    // Removes every record for which `pred` holds, keeping the others in order.
    template <class Pred> int RemoveIf(Pred pred) {
        const auto before = items_.size();
        std::erase_if(items_, [&](const std::unique_ptr<T> &p) { return pred(p.get()); });
        return static_cast<int>(before - items_.size());
    }
    void Clear() { items_.clear(); }
    void Swap(TRecordList &other) noexcept { items_.swap(other.items_); }
    // Merge sort: the report orders treat some unrelated pairs as equal, which is not a strict
    // weak order, and std::sort is undefined for such an order. A merge sort stays within
    // bounds whatever the comparison says, and leaves equal records in their previous order.
    // `cmp` is one of the comparison functions or any callable with their signature.
    template <class Cmp = Compare> void Sort(Cmp cmp) {
        std::stable_sort(items_.begin(), items_.end(),
                         [&cmp](const std::unique_ptr<T> &a, const std::unique_ptr<T> &b) {
                             return cmp(a.get(), b.get()) < 0;
                         });
    }
    void Reserve(int n) { items_.reserve(static_cast<std::size_t>(n)); }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<std::unique_ptr<T>> items_;
};
