// Shape changes of the 1-based grids of this library as one operation: a new
// grid whose cell (c, r) is the old cell (ColSrc[c], RowSrc[r]), or a default
// where the source index is 0. Resizing, inserting, removing and mirroring
// are all such maps, so every per-cell, per-row and per-column array of a
// table follows a change the same way.
#pragma once

#include <cstddef>
#include <vector>

namespace QEL_matrix::detail {

// Index maps have Count + 1 entries; entry 0 is unused.
using IndexMap = std::vector<int>;

// Cells are stored column after column: (c, r) at (c - 1) * Rows + (r - 1).
template <class T>
std::vector<T> RemapGrid(const std::vector<T>& Old, int OldRows, const IndexMap& ColSrc,
                         const IndexMap& RowSrc, const T& Default) {
    const int NewCols = static_cast<int>(ColSrc.size()) - 1;
    const int NewRows = static_cast<int>(RowSrc.size()) - 1;
    std::vector<T> New(static_cast<size_t>(NewCols) * static_cast<size_t>(NewRows), Default);
    for (int c = 1; c <= NewCols; ++c) {
        if (ColSrc[c] == 0) continue;
        const size_t OldBase = static_cast<size_t>(ColSrc[c] - 1) * static_cast<size_t>(OldRows);
        const size_t NewBase = static_cast<size_t>(c - 1) * static_cast<size_t>(NewRows);
        for (int r = 1; r <= NewRows; ++r)
            if (RowSrc[r] != 0) New[NewBase + r - 1] = Old[OldBase + RowSrc[r] - 1];
    }
    return New;
}

// The same for a 1-based line of per-row or per-column values.
template <class T>
std::vector<T> RemapLine(const std::vector<T>& Old, const IndexMap& Src, const T& Default) {
    std::vector<T> New(Src.size() - 1, Default);
    for (size_t i = 1; i < Src.size(); ++i)
        if (Src[i] != 0) New[i - 1] = Old[Src[i] - 1];
    return New;
}

inline IndexMap IdentityMap(int OldCount, int NewCount) {
    IndexMap M(static_cast<size_t>(NewCount) + 1, 0);
    for (int i = 1; i <= NewCount; ++i) M[i] = i <= OldCount ? i : 0;
    return M;
}

inline IndexMap InsertMap(int OldCount, int Ix) {
    IndexMap M(static_cast<size_t>(OldCount) + 2, 0);
    for (int i = 1; i <= OldCount + 1; ++i) M[i] = i < Ix ? i : (i == Ix ? 0 : i - 1);
    return M;
}

inline IndexMap RemoveMap(int OldCount, int Ix) {
    IndexMap M(static_cast<size_t>(OldCount), 0);
    for (int i = 1; i < OldCount; ++i) M[i] = i < Ix ? i : i + 1;
    return M;
}

inline IndexMap MirrorMap(int Count) {
    IndexMap M(static_cast<size_t>(Count) + 1, 0);
    for (int i = 1; i <= Count; ++i) M[i] = Count + 1 - i;
    return M;
}

}  // namespace QEL_matrix::detail
