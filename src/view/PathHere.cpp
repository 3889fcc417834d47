// Files the window writes go to the working directory; the info line names
// them in full, as a program started from the desktop's menu runs in a
// folder the player did not choose.
#include <limits.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "viewlogic.h"
#include "tamzor.h"

std::string PathHere(const std::string& name) {
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) return name;
    return std::string(cwd) + (cwd[1] ? "/" : "") + name;
}

void TextWithPath(const char* what, const std::string& path, char* out, size_t size) {
    if (!size) return;
    const size_t room = size - 1, head = strlen(what) + 1;
    if (head + path.size() <= room || head + 3 >= room) {
        snprintf(out, size, "%s %s", what, path.c_str());
        return;
    }
    snprintf(out, size, "%s ...%s", what, path.c_str() + path.size() - (room - head - 3));
}
