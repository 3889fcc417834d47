#include "viewlogic.h"
#include "tamzor.h"

std::vector<std::string> WrapText(const std::string& text, const std::function<int(const std::string&)>& width,
                                  int max_width) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        // One paragraph: words go on the line while it stays within the width;
        // a word wider than the whole line stands alone on its own.
        std::string line;
        bool any = false;
        size_t i = start;
        while (i < end) {
            while (i < end && text[i] == ' ') i++;
            if (i >= end) break;
            size_t j = i;
            while (j < end && text[j] != ' ') j++;
            const std::string word = text.substr(i, j - i);
            if (any && width(line + " " + word) <= max_width) {
                line += " " + word;
            } else {
                if (any) lines.push_back(line);
                line = word;
                any = true;
            }
            i = j;
        }
        lines.push_back(line);  // an empty paragraph is an empty line
        start = end + 1;
    }
    // A closing newline adds no empty line at the foot.
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}
