#include "cli.h"
#include "tamzor.h"

std::string ResultText(int winner) {
    switch (winner) {
        case 1: return "White wins, 1-0";
        case -1: return "Black wins, 0-1";
        default: return "drawn, 1/2-1/2";
    }
}
