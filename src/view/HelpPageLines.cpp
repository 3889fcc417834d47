#include "viewlogic.h"
#include "tamzor.h"

std::vector<HELP_LINE_T> HelpPageLines(const std::function<int(const std::string&)>& width_of, int width,
                                       int key_width) {
    std::vector<HELP_LINE_T> lines;
    int count = 0;
    const HELP_ITEM_T* items = HelpItems(&count);
    // Keys beside their text while the text keeps two thirds of the page.
    const bool beside = key_width * 3 <= width;
    const int indent = beside ? key_width : key_width / 3;
    for (int i = 0; i < count; i++) {
        const HELP_ITEM_T& item = items[i];
        if (item.kind == HELP_HEADING || item.kind == HELP_SUBHEADING) {
            if (!lines.empty()) lines.push_back({HELP_TEXT, "", "", 0});
            for (const std::string& t : WrapText(item.text, width_of, width)) lines.push_back({item.kind, "", t, 0});
            continue;
        }
        if (item.kind == HELP_TEXT) {
            // paragraphs apart, except right under a heading
            if (!lines.empty() && lines.back().kind == HELP_TEXT && !lines.back().text.empty())
                lines.push_back({HELP_TEXT, "", "", 0});
            for (const std::string& t : WrapText(item.text, width_of, width)) lines.push_back({HELP_TEXT, "", t, 0});
            continue;
        }
        std::vector<std::string> text = WrapText(item.text, width_of, width - indent);
        if (beside) {
            for (size_t k = 0; k < text.size(); k++)
                lines.push_back({HELP_KEY, k == 0 ? item.keys : "", text[k], indent});
        } else {
            lines.push_back({HELP_KEY, item.keys, "", 0});
            for (const std::string& t : text) lines.push_back({HELP_KEY, "", t, indent});
        }
    }
    return lines;
}
