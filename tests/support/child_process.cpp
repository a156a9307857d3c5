#include "support/child_process.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace dvx::test {

namespace {

constexpr int kCouldNotEnter = 3;

} // namespace

bool RunInChildProcess(const std::function<bool()>& enter, const std::function<void()>& body,
                       const char* what) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        if (!enter())
            _exit(kCouldNotEnter);
        body();
        std::fflush(stdout);
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == kCouldNotEnter)
        return false;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the checks " << what << " failed (see above)";
    return true;
}

} // namespace dvx::test
