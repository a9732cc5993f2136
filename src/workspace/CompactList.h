#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>
#include <vector>

// A 1-based list of a stored record (objective values, variable values, a
// basis) that holds its elements only as far as they were set. An element
// never set reads as 0, as in the fixed arrays of the working values, so
// the record reads like one of them while a record of a small problem
// stays small: a basket of 100,000 solutions of a one-variable problem
// holds a few values each, not the limits of the largest problem.
//
// Writing through the non-const operator[] extends the list up to that
// index; reading through the const one never does.
template <class T>
class CompactList {
public:
    CompactList() = default;
    // Elements 0, 1, ... in order (element 0 is the unused placeholder).
    CompactList(std::initializer_list<T> values) : items_(values) {}
    // Elements 1..count of a working array.
    template <std::size_t N>
    CompactList(const std::array<T, N>& values, int count)
    {
        const std::size_t last = std::min<std::size_t>(count < 0 ? 0 : static_cast<std::size_t>(count), N - 1);
        if (last >= 1)
            items_.assign(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(last) + 1);
    }

    T operator[](std::size_t i) const { return i < items_.size() ? items_[i] : T{}; }
    T& operator[](std::size_t i)
    {
        if (i >= items_.size())
            items_.resize(i + 1, T{});
        return items_[i];
    }

    // One past the highest element held (0 when none is).
    std::size_t size() const { return items_.size(); }
    // Room for elements 1..last, so that filling them allocates once.
    void reserveTo(std::size_t last) { items_.reserve(last + 1); }

    // The working array: the elements held, zeros beyond them.
    template <std::size_t N>
    std::array<T, N> toArray() const
    {
        std::array<T, N> values{};
        std::copy_n(items_.begin(), std::min(items_.size(), N), values.begin());
        return values;
    }
    // So that a record passes where a working array is read.
    template <std::size_t N>
    operator std::array<T, N>() const
    {
        return toArray<N>();
    }

    // Compared as the arrays they stand for: a list that ends in zeros
    // equals one that stops before them.
    friend bool operator==(const CompactList& a, const CompactList& b) { return compare(a, b) == 0; }
    friend bool operator!=(const CompactList& a, const CompactList& b) { return compare(a, b) != 0; }
    friend bool operator<(const CompactList& a, const CompactList& b) { return compare(a, b) < 0; }

private:
    static int compare(const CompactList& a, const CompactList& b)
    {
        const std::size_t n = std::max(a.items_.size(), b.items_.size());
        for (std::size_t i = 0; i < n; ++i) {
            if (a[i] < b[i])
                return -1;
            if (b[i] < a[i])
                return 1;
        }
        return 0;
    }

    std::vector<T> items_;
};
