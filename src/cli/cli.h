// Commands of the terminal tool.
#pragma once

#include <string>

#include "tamzor.h"

// Options shared by the commands. Parsing reports a bad option on standard
// error and returns false.
struct CLI_OPTIONS_T {
    int dmode = 3;
    int notation = NOTATION_STANDARD;
};

// Reads the option at argv[*i] (advancing past its value); false when the
// option is unknown or its value bad, after one line on standard error.
bool ParseCommonOption(int argc, char** argv, int* i, CLI_OPTIONS_T* opt);

// Sets up a new game of the options' kind and notation.
bool SetUpGame(const CLI_OPTIONS_T& opt);

// The position as text for a terminal.
std::string BoardText(POS_T* b);

int CmdBoard(int argc, char** argv);
