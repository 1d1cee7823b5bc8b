#include "qelmath/Matrix.h"

#include <algorithm>
#include <bit>
#include <new>
#include <string>

#include "qelbase/Types.h"
#include "qelmath/GridRemap.h"

namespace QEL_matrix {

namespace {

template <class T>
std::vector<T> Resized(const std::vector<T>& Old, int OldCols, int OldRows, int NrCols,
                       int NrRows) {
    try {
        return detail::RemapGrid(Old, OldRows, detail::IdentityMap(OldCols, NrCols),
                                 detail::IdentityMap(OldRows, NrRows), T{});
    } catch (const std::bad_alloc&) {
        throw QEL_base::EQELDStructError("not enough memory for a matrix of " +
                                         std::to_string(NrCols) + " x " + std::to_string(NrRows));
    }
}

bool Inside(int Col, int Row, int NrCols, int NrRows) {
    return Col >= 1 && Col <= NrCols && Row >= 1 && Row <= NrRows;
}

size_t At(int Col, int Row, int NrRows) {
    return static_cast<size_t>(Col - 1) * static_cast<size_t>(NrRows) +
           static_cast<size_t>(Row - 1);
}

}  // namespace

TMatrix::TMatrix(vcl::TComponent* AOwner) : vcl::TComponent(AOwner) {}

void TMatrix::Changed() {
    if (OnChange) OnChange(this);
}

void TMatrix::Resize(int NrCols, int NrRows) {
    NrCols = std::max(NrCols, 0);
    NrRows = std::max(NrRows, 0);
    if (NrCols == FNrCols && NrRows == FNrRows) return;
    FData = Resized(FData, FNrCols, FNrRows, NrCols, NrRows);
    FNrCols = NrCols;
    FNrRows = NrRows;
    Changed();
}

double TMatrix::Elem(int Col, int Row) const {
    return Inside(Col, Row, FNrCols, FNrRows) ? FData[At(Col, Row, FNrRows)] : 0.0;
}

void TMatrix::SetElem(int Col, int Row, double Value) {
    if (!Inside(Col, Row, FNrCols, FNrRows)) return;
    double& E = FData[At(Col, Row, FNrRows)];
    // Bitwise, so that writing a NaN over a NaN is no change either.
    if (std::bit_cast<uint64_t>(E) == std::bit_cast<uint64_t>(Value)) return;
    E = Value;
    Changed();
}

void TMatrix::Fill(double Value) {
    std::fill(FData.begin(), FData.end(), Value);
    Changed();
}

void TMatrix::Adopt(std::vector<double> Data, int NrCols, int NrRows) {
    FData = std::move(Data);
    FNrCols = NrCols;
    FNrRows = NrRows;
}

TIntMatrix::TIntMatrix(vcl::TComponent* AOwner) : vcl::TComponent(AOwner) {}

void TIntMatrix::Resize(int NrCols, int NrRows) {
    NrCols = std::max(NrCols, 0);
    NrRows = std::max(NrRows, 0);
    if (NrCols == FNrCols && NrRows == FNrRows) return;
    FData = Resized(FData, FNrCols, FNrRows, NrCols, NrRows);
    FNrCols = NrCols;
    FNrRows = NrRows;
}

int32_t TIntMatrix::GetVal(int Col, int Row) const {
    return Inside(Col, Row, FNrCols, FNrRows) ? FData[At(Col, Row, FNrRows)] : 0;
}

void TIntMatrix::SetVal(int Col, int Row, int32_t Value) {
    if (Inside(Col, Row, FNrCols, FNrRows)) FData[At(Col, Row, FNrRows)] = Value;
}

void TIntMatrix::Fill(int32_t Value) { std::fill(FData.begin(), FData.end(), Value); }

}  // namespace QEL_matrix
