// The report list table on 100,000 rows of 10 columns, each against a
// baseline measured in the same run:
//   - loading a report-list file and importing a CSV file, against reading
//     the same file into memory and splitting it into lines;
//   - sorting by two columns, against std::stable_sort of the same keys held
//     in a vector.
// Saving is measured for reference. The ratios are printed at the end.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "replist/RLData.h"
#include "vcl/Classes.h"

namespace {

using QEL_replist::TRLData;

constexpr int kRows = 100'000;
constexpr int kCols = 10;

std::filesystem::path Scratch() {
    static const std::filesystem::path Dir = [] {
        auto P = std::filesystem::temp_directory_path() / "kestrix_bench_replist";
        std::filesystem::create_directories(P);
        return P;
    }();
    return Dir;
}

// Names in column 1 (mixed case, many repeated), numbers in column 2, and
// short texts with the occasional character that needs escaping or quoting.
TRLData& Table() {
    static TRLData* T = [] {
        auto* Data = new TRLData(nullptr);
        Data->SetNrOfColumns(kCols);
        Data->SetNrOfRows(kRows);
        std::mt19937 Rng(2026);
        std::vector<std::string> Words;
        for (int i = 0; i < 2000; ++i) {
            std::string W;
            for (int k = 5 + static_cast<int>(Rng() % 8); k > 0; --k) {
                W.push_back(static_cast<char>((Rng() % 4 ? 'a' : 'A') + Rng() % 26));
            }
            Words.push_back(W);
        }
        const char* Extras[] = {"", "", "", " & co", ", Ltd", " \"q\"", "<x>", "\xC3\xA4"};
        for (int r = 1; r <= kRows; ++r) {
            Data->SetElem(1, r, Words[Rng() % Words.size()]);
            Data->SetElem(2, r, std::to_string(Rng() % 100000) + "." + std::to_string(Rng() % 100));
            for (int c = 3; c <= kCols; ++c) {
                Data->SetElem(c, r, Words[Rng() % Words.size()] + Extras[Rng() % 8]);
            }
        }
        return Data;
    }();
    return *T;
}

const std::string& ReplistFile() {
    static const std::string Name = [] {
        const std::string N = (Scratch() / "table.xml").string();
        Table().SaveAsXMLFile(N, "bench");
        return N;
    }();
    return Name;
}

const std::string& CsvFile() {
    static const std::string Name = [] {
        const std::string N = (Scratch() / "table.csv").string();
        Table().ExportCSV(N, QEL_base::cdComma, true, false, 1, 1, kCols, kRows);
        return N;
    }();
    return Name;
}

std::vector<std::string> ReadAndSplit(const std::string& FileName) {
    const std::string Text = vcl::LoadTextFile(FileName);
    std::vector<std::string> Lines;
    size_t Pos = 0;
    while (Pos < Text.size()) {
        size_t End = Text.find('\n', Pos);
        if (End == std::string::npos) End = Text.size();
        Lines.emplace_back(Text, Pos, End - Pos);
        Pos = End + 1;
    }
    return Lines;
}

void BM_ReadAndSplitReplistFile(benchmark::State& State) {
    for (auto _ : State) benchmark::DoNotOptimize(ReadAndSplit(ReplistFile()));
}
BENCHMARK(BM_ReadAndSplitReplistFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadReplistFile(benchmark::State& State) {
    TRLData T(nullptr);
    for (auto _ : State) {
        if (!T.LoadFromXMLFile(ReplistFile(), "bench")) State.SkipWithError("not read");
    }
}
BENCHMARK(BM_LoadReplistFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveReplistFile(benchmark::State& State) {
    const std::string Name = (Scratch() / "saved.xml").string();
    for (auto _ : State) Table().SaveAsXMLFile(Name, "bench");
}
BENCHMARK(BM_SaveReplistFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadAndSplitCsvFile(benchmark::State& State) {
    for (auto _ : State) benchmark::DoNotOptimize(ReadAndSplit(CsvFile()));
}
BENCHMARK(BM_ReadAndSplitCsvFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImportCsv(benchmark::State& State) {
    TRLData T(nullptr);
    for (auto _ : State) T.ImportCSV(CsvFile(), QEL_base::cdComma, true);
}
BENCHMARK(BM_ImportCsv)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StableSortOfKeysInVector(benchmark::State& State) {
    struct Row {
        std::string Name;
        double Value;
        int Index;
    };
    std::vector<Row> Keys;
    for (int r = 1; r <= kRows; ++r) {
        std::string Name = Table().Elem(1, r);
        for (char& c : Name) {
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        }
        Keys.push_back({Name, std::stod(Table().Elem(2, r)), r});
    }
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

void BM_SortByTwoColumns(benchmark::State& State) {
    TRLData& T = Table();
    for (auto _ : State) {
        State.PauseTiming();
        T.UnSort();
        State.ResumeTiming();
        T.Sort(1, 2, true, true);
    }
    T.UnSort();
}
BENCHMARK(BM_SortByTwoColumns)->Unit(benchmark::kMillisecond)->UseRealTime();

// Console output plus the ratios of each measurement to its baseline.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& Runs) override {
        ConsoleReporter::ReportRuns(Runs);
        for (const Run& R : Runs) {
            FTimes[R.run_name.function_name] = {R.GetAdjustedRealTime(), R.GetAdjustedCPUTime()};
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const struct {
            const char* Name;
            const char* Baseline;
            double Bound;
        } Ratios[] = {
            {"BM_LoadReplistFile", "BM_ReadAndSplitReplistFile", 3.0},
            {"BM_ImportCsv", "BM_ReadAndSplitCsvFile", 3.0},
            {"BM_SortByTwoColumns", "BM_StableSortOfKeysInVector", 1.5},
        };
        for (const auto& R : Ratios) {
            const auto It = FTimes.find(R.Name);
            const auto Base = FTimes.find(R.Baseline);
            if (It == FTimes.end() || Base == FTimes.end()) continue;
            std::printf("%-20s / %-28s real %5.2f  cpu %5.2f  (bound %.1f)\n", R.Name, R.Baseline,
                        It->second.first / Base->second.first,
                        It->second.second / Base->second.second, R.Bound);
        }
    }

private:
    std::map<std::string, std::pair<double, double>> FTimes;  // real, CPU
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // The table and its files are made before any measurement starts.
    ReplistFile();
    CsvFile();
    TRatioReporter Reporter;
    benchmark::RunSpecifiedBenchmarks(&Reporter);
    benchmark::Shutdown();
    return 0;
}
