// TStringArray against plain containers: sorting a million rows by two keys
// (baseline: std::stable_sort of the same keys held in a vector), and the
// memory a million rows of ten short cells take.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "qelbase/StringArray.h"

namespace {

constexpr int kRows = 1'000'000;

struct Table {
    std::vector<std::string> Names;   // mixed-case words, many repeated
    std::vector<std::string> Values;  // decimal numbers as texts
};

const Table& Data() {
    static const Table T = [] {
        std::mt19937 Rng(12345);
        std::vector<std::string> Words;
        for (int i = 0; i < 5000; ++i) {
            std::string W;
            const int Len = 5 + static_cast<int>(Rng() % 8);
            for (int k = 0; k < Len; ++k) {
                const char Base = (Rng() % 4 == 0) ? 'A' : 'a';
                W.push_back(static_cast<char>(Base + Rng() % 26));
            }
            Words.push_back(W);
        }
        Table R;
        R.Names.reserve(kRows);
        R.Values.reserve(kRows);
        for (int i = 0; i < kRows; ++i) {
            R.Names.push_back(Words[Rng() % Words.size()]);
            R.Values.push_back(std::to_string(Rng() % 100000) + "." + std::to_string(Rng() % 100));
        }
        return R;
    }();
    return T;
}

std::string Folded(std::string S) {
    for (char& C : S)
        if (C >= 'A' && C <= 'Z') C = static_cast<char>(C + 32);
    return S;
}

void BM_StableSortOfKeysInVector(benchmark::State& State) {
    const Table& T = Data();
    struct Row {
        std::string Name;
        double Value;
        int Index;
    };
    std::vector<Row> Keys;
    Keys.reserve(kRows);
    for (int i = 0; i < kRows; ++i) Keys.push_back({Folded(T.Names[i]), std::stod(T.Values[i]), i});
    for (auto _ : State) {
        State.PauseTiming();
        std::vector<Row> Work = Keys;
        State.ResumeTiming();
        std::stable_sort(Work.begin(), Work.end(), [](const Row& A, const Row& B) {
            if (A.Name != B.Name) return A.Name < B.Name;
            return A.Value < B.Value;
        });
        benchmark::DoNotOptimize(Work.data());
    }
}
BENCHMARK(BM_StableSortOfKeysInVector)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StringArraySortTwoKeys(benchmark::State& State) {
    const Table& T = Data();
    QEL_base::TStringArray A(2, kRows);
    for (int r = 1; r <= kRows; ++r) {
        A.SetString(1, r, T.Names[r - 1]);
        A.SetString(2, r, T.Values[r - 1]);
    }
    for (auto _ : State) {
        State.PauseTiming();
        A.UnSort();
        State.ResumeTiming();
        A.Sort(1, 2, true, true);
        benchmark::DoNotOptimize(A.GetSortOrder(1));
    }
}
BENCHMARK(BM_StringArraySortTwoKeys)->Unit(benchmark::kMillisecond)->UseRealTime();

size_t HeapInUse() {
    const struct mallinfo2 M = mallinfo2();
    return M.uordblks + M.hblkhd;
}

// Memory per cell of a million rows of ten cells of eight characters, with
// std::vector<std::string> per column as the baseline.
void BM_MemoryPerCell_StringVectors(benchmark::State& State) {
    for (auto _ : State) {
        const size_t Before = HeapInUse();
        std::vector<std::vector<std::string>> Cols(10, std::vector<std::string>(kRows));
        for (auto& C : Cols)
            for (auto& S : C) S = "abcdefgh";
        State.counters["bytes_per_cell"] =
            static_cast<double>(HeapInUse() - Before) / (10.0 * kRows);
    }
}
BENCHMARK(BM_MemoryPerCell_StringVectors)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_MemoryPerCell_StringArray(benchmark::State& State) {
    for (auto _ : State) {
        const size_t Before = HeapInUse();
        QEL_base::TStringArray A;
        A.SetAllocRowsBy(10);
        A.Resize(10, kRows);
        for (int c = 1; c <= 10; ++c)
            for (int r = 1; r <= kRows; ++r) A.SetString(c, r, "abcdefgh");
        State.counters["bytes_per_cell"] =
            static_cast<double>(HeapInUse() - Before) / (10.0 * kRows);
    }
}
BENCHMARK(BM_MemoryPerCell_StringArray)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
