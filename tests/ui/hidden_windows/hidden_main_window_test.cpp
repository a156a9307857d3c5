// A program that starts into the tray and stays there lays out no window: the main window started
// (settings read, monitor mode on, the tray icon up), ticking, timing a call and recording it,
// reads no font and loads no image plugin until the user opens it. Seen from the files the
// process has mapped.
#include "loaded_so_far.h"
#include "metering/session_list_model.h"
#include "support/main_window_test.h"

#include <QCoreApplication>
#include <QFile>
#include <gtest/gtest.h>

namespace dvx {
namespace {

// What the platform alone loaded, before any test made a window.
class PlatformLoads : public ::testing::Environment {
public:
    void SetUp() override { loaded = LoadedSoFar(); }
    static inline Loaded loaded;
};
const auto* const kPlatformLoads = ::testing::AddGlobalTestEnvironment(new PlatformLoads);

class HiddenMainWindow : public MainWindowTest {
protected:
    HiddenMainWindow() : MainWindowTest(Controls::builtWhenShown) {}
};

TEST_F(HiddenMainWindow, ReadsNoFontsNorImagePluginsUntilOpened) {
    if (!QFile::exists(QStringLiteral("/proc/self/maps")))
        GTEST_SKIP() << "no /proc/self/maps to see what the process has loaded";
    if (PlatformLoads::loaded.fonts || PlatformLoads::loaded.imagePlugins)
        GTEST_SKIP() << "the platform read fonts or image plugins before any window was made";
    EXPECT_FALSE(LoadedSoFar().fonts) << "made, the window read fonts";

    seedConfiguredStore();
    run([this] { window.FormCreate(); });
    automaticSession(95);
    tickAfter(1);
    run([this] { window.FillSessionList(); });
    QCoreApplication::processEvents();
    EXPECT_EQ(window.sessionList().rowCount(), 1);
    EXPECT_FALSE(LoadedSoFar().fonts);
    EXPECT_FALSE(LoadedSoFar().imagePlugins);

    run([this] { window.CoolTrayIconDblClick(); });
    window.grab();
    EXPECT_TRUE(LoadedSoFar().fonts);
}

} // namespace
} // namespace dvx
