#include <fstream>
#include <sstream>

#include "shell/shell.h"

bool ReadPgnFile(const std::string& path, std::string* text, std::string* error) {
    // Larger than any collection of games a person keeps at hand.
    constexpr std::streamoff LIMIT = 64 << 20;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = "cannot open the file";
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size > LIMIT) {
        *error = "the file is " + std::to_string(size >> 20) + " MiB long; 64 MiB is the most read";
        return false;
    }
    in.seekg(0);
    std::ostringstream all;
    all << in.rdbuf();
    *text = all.str();
    return true;
}
