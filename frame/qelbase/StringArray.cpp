// TStringArray.
//
// Sections:
//   Cell      a 16-byte text with the short ones held inline
//   Storage   columns of cells, capacity, the row permutation
//   Access    texts and attribute bytes
//   Shape     resize, insert and remove rows and columns
//   Sorting   key extraction, the stable sort of the permutation
#include "qelbase/StringArray.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

#include "qelbase/Texts.h"

namespace QEL_base {

// ---------------------------------------------------------------- Cell

// Texts too long for a cell's inline bytes, in blocks of 16-byte granules
// cut from large chunks. Freed blocks wait in a list per size for the next
// text of that size, and all of them go at once with the table: a table of a
// million cells would otherwise make and free as many separate allocations.
class TCellTextPool {
public:
    char* Take(size_t Len) {
        const size_t Granules = GranulesFor(Len);
        // Only invalid UTF-8 (continuation bytes, which count as no
        // character) makes a text of more bytes than any block has.
        if (Granules > MaxGranules) {
            FLarge.push_back(std::make_unique_for_overwrite<char[]>(Len));
            return FLarge.back().get();
        }
        if (char* Block = FFree[Granules]) {
            std::memcpy(&FFree[Granules], Block, sizeof(char*));
            return Block;
        }
        const size_t Bytes = Granules * Granule;
        if (FLeft < Bytes) {
            FChunks.push_back(std::make_unique_for_overwrite<char[]>(ChunkBytes));
            FNext = FChunks.back().get();
            FLeft = ChunkBytes;
        }
        char* Block = FNext;
        FNext += Bytes;
        FLeft -= Bytes;
        return Block;
    }
    void Give(char* Block, size_t Len) {
        const size_t Granules = GranulesFor(Len);
        if (Granules > MaxGranules) {
            std::erase_if(FLarge, [Block](const auto& L) { return L.get() == Block; });
            return;
        }
        std::memcpy(Block, &FFree[Granules], sizeof(char*));
        FFree[Granules] = Block;
    }

private:
    static constexpr size_t Granule = 16;
    static constexpr size_t MaxGranules =
        (4 * size_t{TStringArray::MaxCellChars} + Granule - 1) / Granule;
    static constexpr size_t ChunkBytes = 64 * 1024;
    static size_t GranulesFor(size_t Len) { return (Len + Granule - 1) / Granule; }

    std::vector<std::unique_ptr<char[]>> FChunks;
    std::vector<std::unique_ptr<char[]>> FLarge;  // blocks beyond MaxGranules
    char* FNext = nullptr;
    size_t FLeft = 0;
    char* FFree[MaxGranules + 1] = {};
};

namespace {

using TextPool = TCellTextPool;

// A million rows of ten columns must fit in well under 48 bytes a cell, so
// a cell is 16 bytes: up to 15 bytes of text inline, longer texts (rare in a
// report list) in the table's TextPool. Byte 15 holds the inline length, or
// HeapTag. A cell does not free its text itself: whoever drops a cell that
// may hold one gives it back with Release first.
class Cell {
public:
    Cell() { std::memset(FBytes, 0, sizeof FBytes); }
    Cell(std::string_view S, TextPool& Pool) : Cell() { Assign(S, Pool); }
    Cell(const Cell&) = delete;
    Cell& operator=(const Cell&) = delete;
    Cell(Cell&& Other) noexcept {
        std::memcpy(FBytes, Other.FBytes, sizeof FBytes);
        Other.FBytes[TagByte] = 0;
    }
    // The target holds no text: it was moved from or released.
    Cell& operator=(Cell&& Other) noexcept {
        if (this != &Other) {
            std::memcpy(FBytes, Other.FBytes, sizeof FBytes);
            Other.FBytes[TagByte] = 0;
        }
        return *this;
    }
    ~Cell() = default;

    std::string_view View() const {
        if (FBytes[TagByte] != HeapTag)
            return {reinterpret_cast<const char*>(FBytes), FBytes[TagByte]};
        return {HeapPtr(), HeapLen()};
    }

    // S may be a part of this cell's own text (a cell rewritten with its
    // text minus a prefix), so every byte of it is read before the old text
    // is overwritten or released.
    void Assign(std::string_view S, TextPool& Pool) {
        if (S.size() <= InlineMax) {
            AssignShort(S.data(), S.size(), Pool);
            return;
        }
        char* P = Pool.Take(S.size());
        std::memcpy(P, S.data(), S.size());
        Release(Pool);
        const uint32_t Len = static_cast<uint32_t>(S.size());
        std::memcpy(FBytes, &P, sizeof P);
        std::memcpy(FBytes + sizeof P, &Len, sizeof Len);
        FBytes[TagByte] = HeapTag;
    }

    void Release(TextPool& Pool) {
        if (FBytes[TagByte] == HeapTag) Pool.Give(HeapPtr(), HeapLen());
        FBytes[TagByte] = 0;
    }

private:
    static constexpr size_t TagByte = 15;
    static constexpr size_t InlineMax = 15;
    static constexpr unsigned char HeapTag = 0xFF;

    char* HeapPtr() const {
        char* P;
        std::memcpy(&P, FBytes, sizeof P);
        return P;
    }
    uint32_t HeapLen() const {
        uint32_t L;
        std::memcpy(&L, FBytes + sizeof(char*), sizeof L);
        return L;
    }
    // Up to 15 bytes as two overlapping loads and stores of fixed size, as a
    // call to copy a few bytes costs more than the rest of storing a cell.
    void AssignShort(const char* Src, size_t N, TextPool& Pool) {
        if (N >= 8) {
            uint64_t Head, Tail;
            std::memcpy(&Head, Src, 8);
            std::memcpy(&Tail, Src + N - 8, 8);
            Release(Pool);
            std::memcpy(FBytes, &Head, 8);
            std::memcpy(FBytes + N - 8, &Tail, 8);
        } else if (N >= 4) {
            uint32_t Head, Tail;
            std::memcpy(&Head, Src, 4);
            std::memcpy(&Tail, Src + N - 4, 4);
            Release(Pool);
            std::memcpy(FBytes, &Head, 4);
            std::memcpy(FBytes + N - 4, &Tail, 4);
        } else if (N > 0) {
            const unsigned char First = Src[0], Middle = Src[N / 2], Last = Src[N - 1];
            Release(Pool);
            FBytes[0] = First;
            FBytes[N / 2] = Middle;
            FBytes[N - 1] = Last;
        } else {
            Release(Pool);
        }
        FBytes[TagByte] = static_cast<unsigned char>(N);
    }

    alignas(8) unsigned char FBytes[16];
};
static_assert(sizeof(Cell) == 16);

}  // namespace

// ---------------------------------------------------------------- Storage

struct TStringArray::Column {
    std::vector<Cell> Cells;  // physical rows 0..NrOfRows
};

TStringArray::TStringArray() : TStringArray(0, 0) {}

TStringArray::TStringArray(int NrCols, int NrRows) : FTexts(std::make_unique<TCellTextPool>()) {
    FColumns.push_back(std::make_unique<Column>());
    FColumns[0]->Cells.resize(1);
    FRowAttrib.assign(1, 0);
    FColAttrib.assign(1, 0);
    FOrder.assign(1, 0);
    Resize(NrCols, NrRows);
}

TStringArray::~TStringArray() = default;

void TStringArray::ReleaseCells(Column& Col, size_t From, size_t To) {
    for (size_t p = From; p < To && p < Col.Cells.size(); ++p) Col.Cells[p].Release(*FTexts);
}

void TStringArray::SetAllocRowsBy(int Rows) { FAllocRowsBy = std::max(Rows, 1); }

void TStringArray::Changed() {
    if (OnChange) OnChange(this);
}

// Position -> physical row; -1 outside 0..NrOfRows.
int TStringArray::PhysRow(int ARow) const {
    if (ARow < 0 || ARow > FNrRows) return -1;
    return FOrder[ARow];
}

// Every column holds the same capacity, so that growing the row count
// reallocates all of them at the same moments. Cells counts row 0.
void TStringArray::ReserveCells(size_t Cells) {
    if (Cells <= FRowCapacity) return;
    const size_t Step = static_cast<size_t>(FAllocRowsBy);
    size_t NewCap = (Cells + Step - 1) / Step * Step;
    NewCap = std::max(NewCap, FRowCapacity + FRowCapacity / 2);
    for (auto& C : FColumns) C->Cells.reserve(NewCap);
    FRowAttrib.reserve(NewCap);
    FOrder.reserve(NewCap);
    FRowCapacity = NewCap;
}

int TStringArray::RowCapacity() const {
    return static_cast<int>(std::max(FRowCapacity, static_cast<size_t>(FNrRows) + 1) - 1);
}

void TStringArray::SetRowCapacity(int Rows) {
    const size_t Cells = static_cast<size_t>(std::max(Rows, FNrRows)) + 1;
    if (Cells == FRowCapacity) return;
    try {
        if (Cells > FRowCapacity) {
            for (auto& C : FColumns) C->Cells.reserve(Cells);
            FRowAttrib.reserve(Cells);
            FOrder.reserve(Cells);
        } else {
            // reserve never gives memory back, so the smaller columns are
            // built anew; every allocation happens before anything changes.
            std::vector<std::vector<Cell>> Columns(FColumns.size());
            for (auto& V : Columns) V.reserve(Cells);
            std::vector<uint8_t> Attrib;
            std::vector<int> Order;
            Attrib.reserve(Cells);
            Order.reserve(Cells);
            for (size_t c = 0; c < FColumns.size(); ++c) {
                for (Cell& X : FColumns[c]->Cells) Columns[c].push_back(std::move(X));
                FColumns[c]->Cells.swap(Columns[c]);
            }
            Attrib.assign(FRowAttrib.begin(), FRowAttrib.end());
            Order.assign(FOrder.begin(), FOrder.end());
            FRowAttrib.swap(Attrib);
            FOrder.swap(Order);
        }
    } catch (const std::bad_alloc&) {
        throw EQELDStructError("TStringArray: not enough memory for " + std::to_string(Rows) +
                               " rows");
    }
    FRowCapacity = Cells;
}

// SetSortOrder may have left two positions showing the same physical row;
// such an order cannot be kept, so the physical order takes over.
void TStringArray::RepairPermutation() {
    if (!FOrderUnchecked) return;
    FOrderUnchecked = false;
    std::vector<char> Seen(FNrRows + 1, 0);
    bool Valid = FOrder[0] == 0;
    for (int i = 1; i <= FNrRows && Valid; ++i) {
        const int P = FOrder[i];
        if (P < 1 || P > FNrRows || Seen[P])
            Valid = false;
        else
            Seen[P] = 1;
    }
    if (!Valid)
        for (int i = 0; i <= FNrRows; ++i) FOrder[i] = i;
}

// Keeps the rows at positions 1..NrRows, in their physical order, and drops
// the others; the permutation is carried over to the remaining rows.
void TStringArray::KeepPositions(int NrRows) {
    if (!IsSorted()) {
        // Positions are the physical rows: the rows at the end simply go.
        for (auto& C : FColumns) {
            ReleaseCells(*C, NrRows + 1, C->Cells.size());
            C->Cells.resize(NrRows + 1);
        }
        FRowAttrib.resize(NrRows + 1);
        FOrder.resize(NrRows + 1);
        FNrRows = NrRows;
        return;
    }
    std::vector<int> NewIndex(FNrRows + 1, -1);
    NewIndex[0] = 0;
    for (int i = 1; i <= NrRows; ++i) NewIndex[FOrder[i]] = 0;
    int Next = 1;
    for (int p = 1; p <= FNrRows; ++p)
        if (NewIndex[p] == 0) NewIndex[p] = Next++;
    for (auto& C : FColumns) {
        for (int p = 1; p <= FNrRows; ++p)
            if (NewIndex[p] < 0) C->Cells[p].Release(*FTexts);
        for (int p = 1; p <= FNrRows; ++p)
            if (NewIndex[p] > 0 && NewIndex[p] != p) C->Cells[NewIndex[p]] = std::move(C->Cells[p]);
        C->Cells.resize(NrRows + 1);
    }
    for (int p = 1; p <= FNrRows; ++p)
        if (NewIndex[p] > 0) FRowAttrib[NewIndex[p]] = FRowAttrib[p];
    FRowAttrib.resize(NrRows + 1);
    for (int i = 1; i <= NrRows; ++i) FOrder[i] = NewIndex[FOrder[i]];
    FOrder.resize(NrRows + 1);
    FNrRows = NrRows;
}

// ---------------------------------------------------------------- Access

std::string TStringArray::GetString(int ACol, int ARow) const {
    return std::string(StringView(ACol, ARow));
}

std::string_view TStringArray::StringView(int ACol, int ARow) const {
    const int P = PhysRow(ARow);
    if (P < 0 || ACol < 0 || ACol > FNrCols) return {};
    return FColumns[ACol]->Cells[P].View();
}

namespace {

// True when the cell changed. Characters are only counted for texts that
// have more bytes than a cell may hold characters: nearly every text has
// fewer, and counting would cost more than storing it.
bool StoreText(Cell& C, std::string_view Value, TextPool& Pool) {
    if (Value.size() > TStringArray::MaxCellChars)
        Value = CutToChars(Value, TStringArray::MaxCellChars);
    if (C.View() == Value) return false;
    C.Assign(Value, Pool);
    return true;
}

}  // namespace

void TStringArray::SetString(int ACol, int ARow, std::string_view Value) {
    const int P = PhysRow(ARow);
    if (P < 0 || ACol < 0 || ACol > FNrCols) return;
    if (StoreText(FColumns[ACol]->Cells[P], Value, *FTexts)) Changed();
}

// True when a cell changed.
bool TStringArray::StoreRow(int Phys, int FirstCol, std::span<const std::string_view> Values) {
    // Columns FirstCol + i for i in [Skip, End) lie in 0..NrOfColumns.
    const int64_t First = FirstCol;
    const size_t Skip = static_cast<size_t>(std::clamp<int64_t>(-First, 0, int64_t{INT32_MAX}));
    const size_t End = static_cast<size_t>(
        std::clamp<int64_t>(int64_t{FNrCols} + 1 - First, 0, static_cast<int64_t>(Values.size())));
    bool Any = false;
    for (size_t i = Skip; i < End; ++i)
        Any |=
            StoreText(FColumns[static_cast<size_t>(First + static_cast<int64_t>(i))]->Cells[Phys],
                      Values[i], *FTexts);
    return Any;
}

void TStringArray::SetRowStrings(int ARow, int FirstCol, std::span<const std::string_view> Values) {
    const int P = PhysRow(ARow);
    if (P >= 0 && StoreRow(P, FirstCol, Values)) Changed();
}

// Cells are constructed in place at the columns' ends: a table filled this
// way writes its memory once, where Resize and SetString would clear every
// cell first and then come back to it.
void TStringArray::AppendRow(int FirstCol, std::span<const std::string_view> Values) {
    RepairPermutation();
    const size_t NrCols = FColumns.size();
    size_t Done = 0;
    try {
        ReserveCells(static_cast<size_t>(FNrRows) + 2);
        const int P = FNrRows + 1;
        for (; Done < NrCols; ++Done) {
            const int64_t i = static_cast<int64_t>(Done) - FirstCol;
            std::string_view Value;
            if (i >= 0 && static_cast<uint64_t>(i) < Values.size()) Value = Values[i];
            if (Value.size() > MaxCellChars) Value = CutToChars(Value, MaxCellChars);
            std::vector<Cell>& Cells = FColumns[Done]->Cells;
            Cells.emplace_back(Value, *FTexts);
            // Each column is a stream of its own; fetching ahead keeps the
            // writes from waiting for memory.
            if (const size_t Ahead = static_cast<size_t>(P) + 64; Ahead < Cells.capacity())
                __builtin_prefetch(Cells.data() + Ahead, 1);
        }
        FRowAttrib.push_back(0);
        FOrder.push_back(P);
    } catch (const std::bad_alloc&) {
        // A long text could not be stored: the row goes again.
        while (Done > 0) {
            std::vector<Cell>& Cells = FColumns[--Done]->Cells;
            Cells.back().Release(*FTexts);
            Cells.pop_back();
        }
        throw EQELDStructError("TStringArray: not enough memory for " +
                               std::to_string(FNrRows + 1) + " rows");
    }
    ++FNrRows;
    Changed();
}

uint8_t TStringArray::GetRowAttrib(int ARow) const {
    const int P = PhysRow(ARow);
    return P < 0 ? 0 : FRowAttrib[P];
}

void TStringArray::SetRowAttrib(int ARow, uint8_t Value) {
    const int P = PhysRow(ARow);
    if (P < 0 || FRowAttrib[P] == Value) return;
    FRowAttrib[P] = Value;
    Changed();
}

uint8_t TStringArray::GetColAttrib(int ACol) const {
    return (ACol < 0 || ACol > FNrCols) ? 0 : FColAttrib[ACol];
}

void TStringArray::SetColAttrib(int ACol, uint8_t Value) {
    if (ACol < 0 || ACol > FNrCols || FColAttrib[ACol] == Value) return;
    FColAttrib[ACol] = Value;
    Changed();
}

void TStringArray::Clear() {
    for (auto& C : FColumns)
        for (Cell& X : C->Cells) X.Release(*FTexts);
    Changed();
}

// ---------------------------------------------------------------- Shape

void TStringArray::Resize(int NrCols, int NrRows) {
    NrCols = std::max(NrCols, 0);
    NrRows = std::max(NrRows, 0);
    if (NrCols == FNrCols && NrRows == FNrRows) return;
    RepairPermutation();
    try {
        // Allocate everything that can fail before anything is changed.
        if (NrRows > FNrRows) ReserveCells(static_cast<size_t>(NrRows) + 1);
        std::vector<std::unique_ptr<Column>> Added;
        for (int c = FNrCols + 1; c <= NrCols; ++c) {
            auto C = std::make_unique<Column>();
            C->Cells.reserve(FRowCapacity);
            Added.push_back(std::move(C));
        }
        FColumns.reserve(NrCols + 1);
        FColAttrib.reserve(NrCols + 1);

        if (NrRows < FNrRows) KeepPositions(NrRows);
        if (NrCols < FNrCols) {
            for (int c = NrCols + 1; c <= FNrCols; ++c)
                ReleaseCells(*FColumns[c], 0, FColumns[c]->Cells.size());
            FColumns.resize(NrCols + 1);
            FColAttrib.resize(NrCols + 1);
        }
        for (auto& C : Added) {
            C->Cells.resize(FNrRows + 1);
            FColumns.push_back(std::move(C));
            FColAttrib.push_back(0);
        }
        FNrCols = NrCols;
        if (NrRows > FNrRows) {
            for (auto& C : FColumns) C->Cells.resize(NrRows + 1);
            FRowAttrib.resize(NrRows + 1, 0);
            for (int r = FNrRows + 1; r <= NrRows; ++r) FOrder.push_back(r);
            FNrRows = NrRows;
        }
    } catch (const std::bad_alloc&) {
        throw EQELDStructError("TStringArray: not enough memory for " + std::to_string(NrCols) +
                               " columns and " + std::to_string(NrRows) + " rows");
    }
    Changed();
}

void TStringArray::InsertRow(int ARow) {
    if (ARow < 1 || ARow > FNrRows + 1) return;
    CommitSorting();
    ReserveCells(static_cast<size_t>(FNrRows) + 2);
    for (auto& C : FColumns) C->Cells.insert(C->Cells.begin() + ARow, Cell());
    FRowAttrib.insert(FRowAttrib.begin() + ARow, 0);
    FOrder.push_back(FNrRows + 1);
    ++FNrRows;
    Changed();
}

void TStringArray::RemoveRow(int ARow) {
    if (ARow < 1 || ARow > FNrRows) return;
    CommitSorting();
    for (auto& C : FColumns) {
        C->Cells[ARow].Release(*FTexts);
        C->Cells.erase(C->Cells.begin() + ARow);
    }
    FRowAttrib.erase(FRowAttrib.begin() + ARow);
    FOrder.pop_back();
    --FNrRows;
    Changed();
}

void TStringArray::InsertColumn(int ACol) {
    if (ACol < 1 || ACol > FNrCols + 1) return;
    auto C = std::make_unique<Column>();
    C->Cells.reserve(FRowCapacity);
    C->Cells.resize(FNrRows + 1);
    FColumns.insert(FColumns.begin() + ACol, std::move(C));
    FColAttrib.insert(FColAttrib.begin() + ACol, 0);
    ++FNrCols;
    Changed();
}

void TStringArray::RemoveColumn(int ACol) {
    if (ACol < 1 || ACol > FNrCols) return;
    ReleaseCells(*FColumns[ACol], 0, FColumns[ACol]->Cells.size());
    FColumns.erase(FColumns.begin() + ACol);
    FColAttrib.erase(FColAttrib.begin() + ACol);
    --FNrCols;
    Changed();
}

// ---------------------------------------------------------------- Sorting

int TStringArray::GetSortOrder(int ARow) const {
    if (ARow < 1 || ARow > FNrRows) return 0;
    return FOrder[ARow];
}

void TStringArray::SetSortOrder(int ARow, int Value) {
    if (ARow < 1 || ARow > FNrRows || Value < 1 || Value > FNrRows) return;
    if (FOrder[ARow] == Value) return;
    FOrder[ARow] = Value;
    FOrderUnchecked = true;
    Changed();
}

bool TStringArray::IsSorted() const {
    for (int i = 1; i <= FNrRows; ++i)
        if (FOrder[i] != i) return true;
    return false;
}

void TStringArray::CommitSorting() {
    RepairPermutation();
    if (!IsSorted()) return;
    for (auto& C : FColumns) {
        std::vector<Cell> Sorted;
        Sorted.reserve(C->Cells.capacity());
        for (int i = 0; i <= FNrRows; ++i) Sorted.push_back(std::move(C->Cells[FOrder[i]]));
        C->Cells.swap(Sorted);
    }
    std::vector<uint8_t> Attrib(FNrRows + 1);
    for (int i = 0; i <= FNrRows; ++i) Attrib[i] = FRowAttrib[FOrder[i]];
    Attrib.reserve(FRowAttrib.capacity());
    FRowAttrib.swap(Attrib);
    for (int i = 0; i <= FNrRows; ++i) FOrder[i] = i;
}

void TStringArray::UnSort() {
    if (!IsSorted()) return;
    for (int i = 0; i <= FNrRows; ++i) FOrder[i] = i;
    Changed();
}

namespace {

// One sort key in 16 bytes. Numbers are mapped to integers that order like
// the numbers; texts keep their first 8 folded bytes big-endian in Bits, so
// most comparisons never touch the text itself.
struct SortKey {
    uint64_t Bits;
    uint32_t Off;      // text: offset into the arena
    uint32_t LenKind;  // kind in the top two bits, text length below
};

enum KeyKind : uint32_t { kNumber = 0, kText = 1, kEmpty = 2 };

uint32_t KindOf(const SortKey& K) { return K.LenKind >> 30; }
uint32_t LenOf(const SortKey& K) { return K.LenKind & 0x3FFFFFFF; }

uint64_t OrderedBits(double D) {
    if (D == 0) D = 0;  // -0 sorts with 0
    uint64_t U = std::bit_cast<uint64_t>(D);
    return (U >> 63) ? ~U : (U | (uint64_t{1} << 63));
}

// Case folding for the text order: ASCII letters and the Latin-1 capitals
// U+00C0..U+00DE (except U+00D7) become lower case.
void AppendFolded(std::string& Arena, std::string_view S) {
    const size_t Off = Arena.size();
    Arena.resize(Off + S.size());
    char* Out = Arena.data() + Off;
    for (size_t i = 0; i < S.size(); ++i) {
        unsigned char Ch = static_cast<unsigned char>(S[i]);
        if (Ch >= 'A' && Ch <= 'Z') {
            Ch = static_cast<unsigned char>(Ch + 32);
        } else if (Ch == 0xC3 && i + 1 < S.size()) {
            unsigned char Next = static_cast<unsigned char>(S[i + 1]);
            if (Next >= 0x80 && Next <= 0x9E && Next != 0x97)
                Next = static_cast<unsigned char>(Next + 32);
            Out[i] = static_cast<char>(Ch);
            Out[++i] = static_cast<char>(Next);
            continue;
        }
        Out[i] = static_cast<char>(Ch);
    }
}

SortKey MakeKey(std::string_view S, std::string& Arena) {
    SortKey K{};
    if (S.empty()) {
        K.LenKind = kEmpty << 30;
        return K;
    }
    double V;
    if (ReadsAsNumber(S, V)) {
        K.Bits = OrderedBits(V);
        K.LenKind = kNumber << 30;
        return K;
    }
    const size_t Off = Arena.size();
    AppendFolded(Arena, S);
    const size_t Len = Arena.size() - Off;
    uint64_t B = 0;
    for (size_t i = 0; i < 8; ++i)
        B = (B << 8) | (i < Len ? static_cast<unsigned char>(Arena[Off + i]) : 0);
    K.Bits = B;
    K.Off = static_cast<uint32_t>(Off);
    K.LenKind = (kText << 30) | static_cast<uint32_t>(Len);
    return K;
}

int CompareKeys(const SortKey& A, const SortKey& B, const char* Arena) {
    const uint32_t KA = KindOf(A), KB = KindOf(B);
    if (KA != KB) return KA < KB ? -1 : 1;
    if (A.Bits != B.Bits) return A.Bits < B.Bits ? -1 : 1;
    if (KA != kText) return 0;
    const uint32_t LA = LenOf(A), LB = LenOf(B);
    if (LA > 8 && LB > 8) {
        const int C = std::memcmp(Arena + A.Off + 8, Arena + B.Off + 8, std::min(LA, LB) - 8);
        if (C != 0) return C;
    }
    return LA == LB ? 0 : (LA < LB ? -1 : 1);
}

struct SortEntry {
    SortKey Prim;
    SortKey Sec;
    uint32_t Pos;
};

}  // namespace

void TStringArray::Sort(int PrimCol, int SecCol, bool Ascending) {
    Sort(PrimCol, SecCol, Ascending, true);
}

void TStringArray::Sort(int PrimCol, int SecCol, bool AscendPrim, bool AscendSec) {
    if (PrimCol < 0 || PrimCol > FNrCols) return;
    const bool HasSec = SecCol >= 0 && SecCol <= FNrCols;
    RepairPermutation();

    const int ProgressStep = std::max(FNrRows / 50, 1);
    std::string Arena;
    Arena.reserve(static_cast<size_t>(FNrRows) * (HasSec ? 16 : 8));
    std::string Text, Key;
    auto KeyOf = [&](int Col, int Phys) {
        const std::string_view S = FColumns[Col]->Cells[Phys].View();
        if (!OnBeforeSortExchange) return MakeKey(S, Arena);
        Text.assign(S);
        Key = Text;
        OnBeforeSortExchange(this, Text, Key);
        return MakeKey(Key, Arena);
    };
    std::vector<SortEntry> Entries(FNrRows);
    for (int i = 1; i <= FNrRows; ++i) {
        SortEntry& E = Entries[i - 1];
        E.Prim = KeyOf(PrimCol, FOrder[i]);
        E.Sec = HasSec ? KeyOf(SecCol, FOrder[i]) : SortKey{};
        E.Pos = static_cast<uint32_t>(i);
        if (OnPercentDone && i % ProgressStep == 0) OnPercentDone(this, i * 80 / FNrRows);
    }

    const char* A = Arena.data();
    std::stable_sort(Entries.begin(), Entries.end(), [&](const SortEntry& X, const SortEntry& Y) {
        int C = CompareKeys(X.Prim, Y.Prim, A);
        if (C != 0) return AscendPrim ? C < 0 : C > 0;
        if (!HasSec) return false;
        C = CompareKeys(X.Sec, Y.Sec, A);
        return C != 0 && (AscendSec ? C < 0 : C > 0);
    });

    std::vector<int> Order(FNrRows + 1);
    Order[0] = 0;
    for (int i = 1; i <= FNrRows; ++i) Order[i] = FOrder[Entries[i - 1].Pos];
    FOrder.swap(Order);
    FOrder.reserve(FRowCapacity);
    if (OnPercentDone) OnPercentDone(this, 100);
    Changed();
}

}  // namespace QEL_base
