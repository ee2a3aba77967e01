// The run-wide data: cell, atom tables, selection, transfer matrix, tensor and axes.
//
// One instance per run, owned by run control and handed to the phases by reference.
// Tables are parallel columns of fixed capacity; atom, site and group k (counting from 1)
// live at index k - 1 of every column.
#pragma once

#include <array>
#include <cstdint>

#include "run/fixed_text.hpp"

namespace molframe {

/// Rows of the SiteTable and of the OrderedSiteTable (atom-site rows read).
inline constexpr int32_t siteCapacity = 300;
/// Rows of the AtomTable: as many as there can be sites.
inline constexpr int32_t atomCapacity = siteCapacity;
/// Entries of the group tally: a group for every site at most.
inline constexpr int32_t groupCapacity = siteCapacity;

/// Cell lengths (length unit of the structure file) and angles (degrees).
struct CellParameters {
    float a = 0.0f;
    float b = 0.0f;
    float c = 0.0f;
    float alpha = 0.0f;
    float beta = 0.0f;
    float gamma = 0.0f;
};

/// Atom-site rows in file order; the OrderedSiteTable has the same columns in group order.
struct SiteTable {
    std::array<Label, siteCapacity> label{};
    std::array<Label, siteCapacity> typeSymbol{};
    std::array<float, siteCapacity> fractX{};
    std::array<float, siteCapacity> fractY{};
    std::array<float, siteCapacity> fractZ{};
    std::array<int32_t, siteCapacity> group{};
};

using OrderedSiteTable = SiteTable;

/// Number of type groups and the number of sites in each.
struct GroupTally {
    int32_t groupCount = 0;
    std::array<int32_t, groupCapacity> groupSize{};
};

/// One row per atom, in type-group order, with every coordinate set the frame computes.
struct AtomTable {
    std::array<int32_t, atomCapacity> group{};
    std::array<Label, atomCapacity> label{};
    std::array<Label, atomCapacity> typeSymbol{};
    std::array<float, atomCapacity> fractX{};
    std::array<float, atomCapacity> fractY{};
    std::array<float, atomCapacity> fractZ{};
    std::array<float, atomCapacity> cartX{};
    std::array<float, atomCapacity> cartY{};
    std::array<float, atomCapacity> cartZ{};
    std::array<float, atomCapacity> molVL{};
    std::array<float, atomCapacity> molVS{};
    std::array<float, atomCapacity> molVV{};
    std::array<int32_t, atomCapacity> selectFlag{};
};

/// Which atoms enter the moment tensor: flag mode when flagSum is not 0, else range mode.
struct SelectionSpec {
    int32_t flagCount = 0;
    int32_t flagSum = 0;
    int32_t rangeFirst = 0;
    int32_t rangeLast = 0;
};

/// Upper-triangular fractional-to-Cartesian matrix (a along X, b in the XY plane).
struct TransferMatrix {
    float t11 = 0.0f;
    float t12 = 0.0f;
    float t13 = 0.0f;
    float t22 = 0.0f;
    float t23 = 0.0f;
    float t33 = 0.0f;
};

/// Position of element (row, column), counting from 1, of a 3 by 3 matrix stored by columns
/// with leading dimension 3 (the tensor and the axes): (row - 1) + 3 (column - 1).
constexpr int32_t tensorPosition(int32_t row, int32_t column) {
    return (row - 1) + 3 * (column - 1);
}

/// Second-moment tensor of the selected atoms, by columns with leading dimension 3.
struct MomentTensor {
    std::array<float, 9> element{};
};

/// Principal axes VL, VS, VV as columns 1 to 3 (leading dimension 3), with their extents.
struct PrincipalAxes {
    std::array<float, 9> axis{};
    std::array<float, 3> extent{};
};

/// Everything that passes from phase to phase.
struct RunData {
    CellParameters cell;
    SiteTable sites;
    int32_t siteCount = 0;
    OrderedSiteTable orderedSites;
    GroupTally groups;
    AtomTable atoms;
    int32_t atomCount = 0;
    SelectionSpec selection;
    TransferMatrix transfer;
    MomentTensor moments;
    PrincipalAxes axes;
};

}  // namespace molframe
