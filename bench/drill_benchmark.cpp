#include "content/question_bank.h"
#include "drill/drill.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vantoriku;

class SilentBox : public MessageBox {
  public:
    void show(const std::string&) override {}
};

// One press of the score button on a forty-row era, half of it answered right.
void BM_ScoreFortyAnswers(benchmark::State& state) {
    DrillSheet sheet;
    SilentBox box;
    Drill drill(sheet, box);
    for (auto _ : state) {
        state.PauseTiming();
        drill.selectEra(2);
        for (const Question& q : QuestionBank::questionsOf(2)) {
            sheet.setAnswer(q.row, q.row % 2 == 0 ? std::string(q.year) : "1000");
        }
        state.ResumeTiming();
        drill.score();
    }
}
BENCHMARK(BM_ScoreFortyAnswers);

void BM_SelectEra(benchmark::State& state) {
    DrillSheet sheet;
    SilentBox box;
    Drill drill(sheet, box);
    int era = 0;
    for (auto _ : state) {
        drill.selectEra(era % 4 + 1);
        ++era;
    }
}
BENCHMARK(BM_SelectEra);

} // namespace

BENCHMARK_MAIN();
