#include "content/question_bank.h"
#include "drill/drill.h"
#include "sheet/cell_number.h"

#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

class SilentBox : public vantoriku::MessageBox {
  public:
    void show(const std::string&) override {}
};

} // namespace

// Chooses an era (or none), types arbitrary texts into the answers, scores,
// evaluates, and checks that the posted score fits what was typed.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantoriku;
    FuzzedDataProvider input(data, size);
    DrillSheet sheet;
    SilentBox box;
    Drill drill(sheet, box);

    const int era = input.ConsumeIntegralInRange(0, kEraCount);
    if (era != 0) {
        drill.selectEra(era);
    }
    for (int row = 1; row <= kSheetRows && input.remaining_bytes() > 0; ++row) {
        if (sheet.answerVisible(row)) {
            sheet.setAnswer(row, input.ConsumeRandomLengthString(64));
        }
    }
    int expectedRight = 0;
    if (era != 0) {
        for (const Question& q : QuestionBank::questionsOf(era)) {
            expectedRight += sheet.answer(q.row) == q.year ? 1 : 0;
        }
    }
    drill.Command1_Click();
    if (era != 0) {
        const Era& chosen = QuestionBank::era(era);
        if (sheet.caption(static_cast<Cell>(chosen.scoreLabel)) != wholeNumberText(expectedRight)) {
            __builtin_trap();
        }
    }
    drill.Label64_Click();
    drill.Command2_Click();
    return 0;
}
