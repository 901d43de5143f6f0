// A test this machine cannot run (not root, no mount namespaces) is
// skipped - except under CI (CI=true), which runs as root with everything
// installed, where the same test must run: there it fails instead.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

inline bool UnderCi() {
  const char* ci = std::getenv("CI");
  return ci != nullptr && std::string_view(ci) == "true";
}

#define SKIP_OUTSIDE_CI(reason)                               \
  do {                                                        \
    if (UnderCi()) FAIL() << "cannot run under CI: " << reason; \
    GTEST_SKIP() << reason;                                   \
  } while (0)
