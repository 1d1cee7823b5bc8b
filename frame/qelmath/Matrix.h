// Matrices of the maths library: TMatrix of doubles (the value matrix of a
// data table) and TIntMatrix of 32-bit integers. Both are 1-based: elements
// (Col, Row) with 1 <= Col <= NrOfColumns() and 1 <= Row <= NrOfRows().
// Reading outside gives 0, writing outside is ignored.
#pragma once

#include <cstdint>
#include <vector>

#include "vcl/Classes.h"

namespace QEL_matrix {

class TMatrix : public vcl::TComponent {
public:
    explicit TMatrix(vcl::TComponent* AOwner);
    std::string ClassName() const override { return "TMatrix"; }

    int NrOfColumns() const { return FNrCols; }
    int NrOfRows() const { return FNrRows; }

    // New size (negative counts as 0); elements that stay keep their values,
    // new ones are 0. Raises QEL_base::EQELDStructError when the memory
    // cannot be had, leaving the matrix as it was.
    void Resize(int NrCols, int NrRows);

    double Elem(int Col, int Row) const;
    void SetElem(int Col, int Row, double Value);
    // Every element becomes Value.
    void Fill(double Value);

    // Fired after elements changed through SetElem, Fill or Resize.
    vcl::TNotifyEvent OnChange;

    // Raw storage for the owner of the matrix, column after column; changes
    // made through it are not notified.
    std::vector<double>& Storage() { return FData; }
    // Takes new storage of the given shape (Data.size() must be NrCols * NrRows).
    void Adopt(std::vector<double> Data, int NrCols, int NrRows);

private:
    void Changed();

    int FNrCols = 0;
    int FNrRows = 0;
    std::vector<double> FData;
};

class TIntMatrix : public vcl::TComponent {
public:
    explicit TIntMatrix(vcl::TComponent* AOwner);
    std::string ClassName() const override { return "TIntMatrix"; }

    int NrOfColumns() const { return FNrCols; }
    int NrOfRows() const { return FNrRows; }

    // As TMatrix::Resize.
    void Resize(int NrCols, int NrRows);
    // Changes the number of rows only.
    void SetNRows(int N) { Resize(FNrCols, N); }
    // Changes the number of columns only.
    void SetNCols(int N) { Resize(N, FNrRows); }

    int32_t GetVal(int Col, int Row) const;
    void SetVal(int Col, int Row, int32_t Value);
    void Fill(int32_t Value);

private:
    int FNrCols = 0;
    int FNrRows = 0;
    std::vector<int32_t> FData;
};

}  // namespace QEL_matrix
