#include "cli.h"

std::string GameOverText(const POS_T* b) {
    switch (b->winner) {
        case 1: return "Game over: White wins, 1-0";
        case -1: return "Game over: Black wins, 0-1";
        default: return "Game over: drawn, 1/2-1/2";
    }
}
