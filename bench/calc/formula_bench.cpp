// Evaluations per second of formula texts as the earthwork calculation writes
// them (values written with "%G" into the pane formulas).
#include <benchmark/benchmark.h>

#include <string>

#include "FormulaParser.h"

namespace {

const wchar_t* const kFormulas[] = {
    L"(20^2/4)*(0.3+0.6+0.4+0.2)",
    L"(20*20-4.5*7.25/2)*((0.312+0.645+0.207)/5)",
    L"((20*20)*(0.312+0.645+0.207)^2)/(4*(0.312+0.645+0.207+0.118))",
    L"(20*20*0.118^3)/(6*(0.118+0.312)*(0.118+0.207))+(20*20*0.645^3)/"
    L"(6*(0.645+0.312)*(0.645+0.207))",
    L"(20*20/6.0)*(2*0.312+2*0.207-0.645-0.118) + 12.3456",
    L"((13.2+11.8)/3)*(0.42+0.37-0.11)+(0.11*11.8)/3",
};

void BM_Evaluate(benchmark::State& state) {
    const std::wstring formula = kFormulas[state.range(0)];
    CFormulaParser parser;
    for (auto _ : state) benchmark::DoNotOptimize(parser.Evaluate(formula, 20.0));
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(std::string(formula.begin(), formula.end()).substr(0, 40));
}
BENCHMARK(BM_Evaluate)->DenseRange(0, 5);

// A fresh evaluator per calculation, as the pane formulas use it.
void BM_ConstructAndEvaluate(benchmark::State& state) {
    const std::wstring formula = kFormulas[0];
    for (auto _ : state) {
        CFormulaParser parser;
        benchmark::DoNotOptimize(parser.Evaluate(formula, 20.0));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConstructAndEvaluate);

}  // namespace
