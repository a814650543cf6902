#pragma once
// A school computer's second account, and operations that might never end:
// each runs in a child process, which the test waits for with a bound.

#include <functional>

constexpr int kNobody = 65534;

// Runs `body` in a child process under the account `uid` (its group too);
// answers the child's exit status, or -1 when it did not end within
// `boundMs` (it is then killed) or did not end normally.
int RunAs(int uid, const std::function<int()>& body, int boundMs = 20000);
// The same under this test's own account.
int RunBounded(const std::function<int()>& body, int boundMs);
