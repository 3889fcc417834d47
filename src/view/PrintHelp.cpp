#include <cstdio>

#include "view.h"

void PrintHelp() {
    static const char* const lines[] = {
        "arrow keys pan, page keys zoom, <shift> faster",
        "F2 \t new 2D game",
        "F3 \t new 3D game",
        "F5 \t fetch favorite view",
        "F6 \t store favorite view",
        "F7-F8 \t replay step back-forward",
        "F9 \t autoplay",
        "F10\t come to full stop",
        "A \t toggle axes",
        "B \t Tamzor play black",
        "C \t captured pieces toggle",
        "D \t difficulty level toggle",
        "E \t evaluation verbose toggle",
        "H \t help screen (press 'H' in main window)",
        "L \t list game",
        "O \t overhead view",
        "Q \t quit",
        "R \t restore game",
        "S \t save game",
        "T \t toggle timer mode",
        "U \t undo one move",
        "V \t view reset",
        "W \t Tamzor play white",
        "X \t toggle transparency",
        "Z \t black view toggle(2D)",
        "M \t move list toggle",
        "N \t cell names toggle",
        "Tab \t step through the cells under the pointer, nearest first",
        "Enter \t take the cell stepped to (or Space); with none, type a cell's name",
        "Esc \t drop the choice or the typing; with none, quit",
        "mouse wheel zooms; Q, Esc, F2, F3 and R ask again while a game is on"};
    for (const char* line : lines) printf("\n%s", line);
    fflush(stdout);
}
