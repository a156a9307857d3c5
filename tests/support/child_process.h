#pragma once

#include <functional>

namespace dvx::test {

// Runs `body` in a forked child process once `enter` has prepared the child (given up root,
// taken a mount table of its own, ...). A check that fails in the child fails the test, with
// `what` named. Returns false, running nothing, when `enter` could not prepare the child: the
// machine does not allow it, and the caller skips.
bool RunInChildProcess(const std::function<bool()>& enter, const std::function<void()>& body,
                       const char* what);

} // namespace dvx::test
