// The live game set up for the tests that evaluate, search or play on it.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "cli.h"
#include "tamzor.h"
#include "shell/shell.h"

// A new 2D game at the FEN's position, or at the start when none is given.
inline POS_T* Live2D(const char* fen = nullptr) {
    CLI_OPTIONS_T opt;
    opt.dmode = 2;
    EXPECT_TRUE(SetUpGame(opt));
    std::string error;
    EXPECT_TRUE(!fen || SetUpFen(fen, &error)) << fen << ": " << error;
    return &state.position;
}

// What `f` writes on standard output, kept out of the test's own.
template <class F>
std::string Quietly(F&& f) {
    testing::internal::CaptureStdout();
    f();
    return testing::internal::GetCapturedStdout();
}
