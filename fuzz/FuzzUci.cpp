// UCI commands, as a chess interface or a match tool sends them.
#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>

#include "fuzz_util.h"
#include "tamzor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::streambuf* keep = std::cin.rdbuf(in.rdbuf());
    CmdUci(0, nullptr);
    std::cin.rdbuf(keep);
    std::cin.clear();
    return 0;
}
