#include "look/program_look.h"

#include <QApplication>
#include <gtest/gtest.h>

// GoogleTest with a real QApplication in the program's look, for the tests
// that drive widgets; on the offscreen platform unless told otherwise, as
// when listing the tests.
int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QApplication application(argc, argv);
    vantoriku::useProgramLook(); // as the program does
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
