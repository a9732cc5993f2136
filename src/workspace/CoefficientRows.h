#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <vector>

// The coefficient rows of a problem (objectives or constraints), indexed
// [row][column] like a fixed array of MaxRows rows. Only the rows up to the
// highest one written are held, so that a small problem neither fills nor
// copies the rows of the largest one; a row never written reads as zeros.
// Room for every row is set aside at once (untouched memory costs nothing),
// so that a reference to a row stays valid while later rows are written.
template <class Row, std::size_t MaxRows>
class CoefficientRows {
public:
    CoefficientRows() { rows_.reserve(MaxRows); }
    CoefficientRows(const CoefficientRows& other) : CoefficientRows() { rows_ = other.rows_; }
    CoefficientRows& operator=(const CoefficientRows& other)
    {
        rows_.assign(other.rows_.begin(), other.rows_.end());
        return *this;
    }
    CoefficientRows(CoefficientRows&&) noexcept = default;
    CoefficientRows& operator=(CoefficientRows&&) noexcept = default;

    const Row& operator[](std::size_t row) const
    {
        static const Row zeros{};
        return row < rows_.size() ? rows_[row] : zeros;
    }
    Row& operator[](std::size_t row)
    {
        assert(row < MaxRows);
        if (row >= rows_.size()) {
            if (rows_.capacity() < MaxRows)
                rows_.reserve(MaxRows); // a moved-from table
            rows_.resize(row + 1, Row{});
        }
        return rows_[row];
    }

    // The rows held (the others read as zeros).
    auto begin() { return rows_.begin(); }
    auto end() { return rows_.end(); }

    // Compared as the full tables they stand for.
    friend bool operator==(const CoefficientRows& a, const CoefficientRows& b)
    {
        const std::size_t n = a.rows_.size() > b.rows_.size() ? a.rows_.size() : b.rows_.size();
        for (std::size_t r = 0; r < n; ++r)
            if (!(a[r] == b[r]))
                return false;
        return true;
    }

private:
    std::vector<Row> rows_;
};
