// The canvas against the plain operations it stands on, each pair in one run:
// FillRect over a full-HD bitmap against std::fill over as many pixels, Draw
// with cmSrcCopy against memcpy of the same rows, and TextOut of a 60-character
// line with the glyph cache against rendering every glyph through FreeType.
// The ratios are printed after the table.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "vcl/FontEngine.h"
#include "vcl/Graphics.h"

namespace {

constexpr int W = 1920, H = 1080;
const std::string Line = "The quick brown fox jumps over the lazy dog, 0123456789 (8g)";
static_assert(sizeof("The quick brown fox jumps over the lazy dog, 0123456789 (8g)") == 61);

void BM_FillRect(benchmark::State& State) {
    vcl::TBitmap B(W, H);
    vcl::TCanvas* C = B.Canvas();
    vcl::TColor Colour = vcl::clRed;
    for (auto _ : State) {
        C->Brush()->SetColor(Colour ^= 0x00FFFF);
        C->FillRect(vcl::Rect(0, 0, W, H));
        benchmark::DoNotOptimize(B.ScanLine(0));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FillRect);

void BM_StdFill(benchmark::State& State) {
    std::vector<uint32_t> Pixels(size_t(W) * H);
    uint32_t Value = 0xFF0000FF;
    for (auto _ : State) {
        std::fill(Pixels.begin(), Pixels.end(), Value ^= 0x00FFFF);
        benchmark::DoNotOptimize(Pixels.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_StdFill);

void BM_DrawSrcCopy(benchmark::State& State) {
    vcl::TBitmap Src(W, H), Dst(W, H);
    for (auto _ : State) {
        Dst.Canvas()->Draw(0, 0, &Src);
        benchmark::DoNotOptimize(Dst.ScanLine(0));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawSrcCopy);

void BM_Memcpy(benchmark::State& State) {
    std::vector<uint32_t> Src(size_t(W) * H, 0xFFFFFFFF), Dst(size_t(W) * H);
    for (auto _ : State) {
        std::memcpy(Dst.data(), Src.data(), Src.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(Dst.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Memcpy);

void TextOutLine(benchmark::State& State, bool Cached) {
    vcl::TBitmap B(600, 20);
    vcl::TCanvas* C = B.Canvas();
    C->Brush()->SetStyle(vcl::bsClear);
    vcl::text::SetGlyphCacheEnabled(Cached);
    C->TextOut(0, 0, Line);
    for (auto _ : State) {
        C->TextOut(0, 0, Line);
        benchmark::ClobberMemory();
    }
    vcl::text::SetGlyphCacheEnabled(true);
}

void BM_TextOutCached(benchmark::State& State) { TextOutLine(State, true); }
BENCHMARK(BM_TextOutCached);

void BM_TextOutUncached(benchmark::State& State) { TextOutLine(State, false); }
BENCHMARK(BM_TextOutUncached);

// Prints the table as usual and remembers each benchmark's time per
// iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& Runs) override {
        ConsoleReporter::ReportRuns(Runs);
        for (const Run& R : Runs)
            if (R.run_type == Run::RT_Iteration)
                Times[R.benchmark_name()] = R.GetAdjustedRealTime();
    }
    std::map<std::string, double> Times;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter Reporter;
    benchmark::RunSpecifiedBenchmarks(&Reporter);
    auto Ratio = [&](const char* What, const char* A, const char* B, const char* Target) {
        if (!Reporter.Times.count(A) || !Reporter.Times.count(B)) return;
        std::printf("%-44s %6.2fx  (target %s)\n", What, Reporter.Times[A] / Reporter.Times[B],
                    Target);
    };
    std::printf("\n");
    Ratio("FillRect 1920x1080 / std::fill", "BM_FillRect", "BM_StdFill", "<= 2");
    Ratio("Draw cmSrcCopy 1920x1080 / memcpy", "BM_DrawSrcCopy", "BM_Memcpy", "<= 1.5");
    Ratio("TextOut 60 chars uncached / cached", "BM_TextOutUncached", "BM_TextOutCached", ">= 5");
    benchmark::Shutdown();
    return 0;
}
