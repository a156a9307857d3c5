#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// GoogleTest cases that build windows need one application object for the whole run. The tests
// run on the offscreen platform unless the environment names another.
int main(int argc, char** argv) {
    // The windows read and write the settings store and the logon entry: never the user's own.
    QTemporaryDir store;
    qputenv("DORVANTIX_HIVE", store.filePath(QStringLiteral("hive.db")).toUtf8());
    qputenv("XDG_CONFIG_HOME", store.filePath(QStringLiteral("config")).toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
