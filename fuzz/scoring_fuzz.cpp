#include "content/question_bank.h"
#include "drill/drill.h"

#include <fuzzer/FuzzedDataProvider.h>

// Any era, any answers: scoring posts how many were exactly the year.
extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    using namespace vantoriku;
    FuzzedDataProvider input(data, size);
    DrillSheet sheet;
    struct : MessageBox {
        void show(const std::string& /*text*/) override {}
    } box;
    Drill drill(sheet, box);
    const Era& era = QuestionBank::era(input.ConsumeIntegralInRange(1, kEraCount));
    drill.selectEra(era.number);
    int right = 0;
    for (const Question& q : QuestionBank::questionsOf(era.number)) {
        sheet.setAnswer(q.row, input.ConsumeRandomLengthString(8));
        right += sheet.answer(q.row) == q.year ? 1 : 0;
    }
    drill.Command1_Click();
    if (sheet.caption(eraCells(era.number).score) != std::to_string(right)) {
        __builtin_trap();
    }
    return 0;
}
