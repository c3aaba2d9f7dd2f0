#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

// Tests of one system code page run in the test run made for it (936: a
// Chinese locale; 65001: a program whose manifest asks for UTF-8); elsewhere
// they skip, and in that run another code page fails them.
#define ORVEL_REQUIRE_CODE_PAGE(number)                                                                   \
  do {                                                                                                    \
    if (GetACP() == (number)) break;                                                                      \
    if (std::getenv("ORVEL_EXPECT_CP" #number) != nullptr) FAIL() << "ANSI code page " << GetACP();       \
    GTEST_SKIP() << "ANSI code page " << GetACP() << "; code page " #number " has a test run of its own"; \
  } while (false)
