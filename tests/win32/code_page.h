#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

// Tests of the Chinese code page run in the program's zh_CN run; elsewhere
// they skip, and in that run a missing code page fails them.
#define ORVEL_REQUIRE_CODE_PAGE_936()                                                          \
  do {                                                                                         \
    if (GetACP() == 936) break;                                                                \
    if (std::getenv("ORVEL_EXPECT_CP936") != nullptr) FAIL() << "ANSI code page " << GetACP(); \
    GTEST_SKIP() << "ANSI code page " << GetACP() << "; run under LANG=zh_CN.UTF-8";           \
  } while (false)
