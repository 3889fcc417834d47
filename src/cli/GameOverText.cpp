#include "cli.h"
#include "tamzor.h"

std::string GameOverText(const POS_T* b) { return "Game over: " + ResultText(b->winner); }
