// The usage of the tool, built from its table of commands, for a terminal
// 80 columns wide.
#include <sstream>
#include <string>

#include "cli.h"
#include "tamzor.h"

namespace {
constexpr size_t TEXT_COLUMN = 24, WIDTH = 80;

// `what` word-wrapped beside `head`, or under it when the head is too long.
std::string Entry(const std::string& head, const std::string& what) {
    std::string s = head, line;
    const std::string indent(TEXT_COLUMN, ' ');
    if (s.size() + 2 > TEXT_COLUMN) s += "\n" + indent;
    else s.resize(TEXT_COLUMN, ' ');
    std::istringstream words(what);
    for (std::string w; words >> w;) {
        if (!line.empty() && TEXT_COLUMN + line.size() + 1 + w.size() > WIDTH) {
            s += line + "\n" + indent;
            line.clear();
        }
        line += (line.empty() ? "" : " ") + w;
    }
    return s + line + "\n";
}
}  // namespace

std::string UsageText() {
    std::string s = "usage: tamzor-cli <command> [options]\n"
                    "       tamzor-cli --help | --version\n\ncommands:\n";
    for (const CLI_COMMAND_T& c : CliCommands()) {
        std::string head = std::string("  ") + c.name;
        if (*c.synopsis) head += std::string(" ") + c.synopsis;
        s += Entry(head, c.what);
    }
    s += "\nGAME, the position:\n";
    s += Entry("  --2d | --3d", "the game (3D by default)");
    s += Entry("  --fen FEN", "a 2D position in FEN");
    s += Entry("  --pgn FILE [--game N]",
               "the game N (1 by default) of a PGN file: its start and its moves");
    s += Entry("  --moves LIST",
               "moves played first (after the PGN game's), separated by commas or blanks: e2e4, "
               "e7e8q (squares by index a1..h8), qlw@ql3; save and play also take the move texts "
               "(a4N, Nf3, O-O) and, in the 2D game, standard notation (Kxb2, e8=Q, 0-0)");
    s += Entry("  --rules tdcl|tournament", "attack-board rules of the 3D game (tdcl by default)");
    s += Entry("  --notation 0|1|2",
               "names of the 3D game's cells and moves: 0 tournament (b3N, z0QL1, a4N; the "
               "default), 1 standard (c3(4), a0(3), Pb2-b4(4)), 2 algebraic (b3N, z0Q1, a4N); "
               "the 2D game has one notation");
    s += "\nAn option given twice must have the same value; --2d with --3d, --fen with\n"
         "--pgn and --game without --pgn are refused.\n";
    return s;
}
