#include <QApplication>
#include <gtest/gtest.h>

// GoogleTest with a real QApplication, for the tests that drive widgets.
int main(int argc, char* argv[]) {
    const QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
