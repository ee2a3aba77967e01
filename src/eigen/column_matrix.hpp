// Storage by columns with a leading dimension: the layout of every matrix the eigensolver takes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace molframe {

/// A view of a matrix stored by columns: element (i, j), counting from 1, lies at
/// position (i - 1) + lead * (j - 1) counting from 0. Only the rows the routine names are touched.
struct ColumnMatrix {
    float* base;
    int32_t lead;

    float& operator()(int32_t i, int32_t j) const {
        return base[static_cast<std::ptrdiff_t>(i - 1) +
                    static_cast<std::ptrdiff_t>(lead) * (j - 1)];
    }
    /// Column j as a vector counting from 0 (row 1 at index 0).
    float* column(int32_t j) const { return &(*this)(1, j); }
};

}  // namespace molframe
