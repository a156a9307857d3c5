#include <QApplication>
#include <gtest/gtest.h>

// GoogleTest cases that build windows need one application object for the whole run. The tests
// run on the offscreen platform unless the environment names another.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
