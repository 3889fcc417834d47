// Reads PGN as other programs write it: tags, move numbers with one or three
// dots, comments in braces or after a semicolon, annotation glyphs ($1, !?),
// variations in parentheses (skipped, nested or not), escape lines starting
// with '%', and several games one after the other, each ending in its result.
// A UTF-8 byte-order mark, which some editors put first in a file (and which
// joined files then carry inside), reads as a space.
#include <cctype>
#include <cstring>

#include "shell/clock.h"
#include "shell/shell.h"

std::string PGN_GAME_T::Tag(const std::string& name) const {
    for (const auto& [n, v] : tags)
        if (n == name) return v;
    return "";
}

namespace {
struct READER_T {
    const std::string& s;
    size_t at = 0;
    int line = 1;
    bool line_start = true;

    bool Done() const { return at >= s.size(); }
    char Peek() const { return at < s.size() ? s[at] : 0; }
    char Next() {
        char c = s[at++];
        line_start = c == '\n';
        if (c == '\n') line++;
        return c;
    }
    bool AtByteOrderMark() const { return s.compare(at, 3, "\xEF\xBB\xBF") == 0; }
    void SkipLine() {
        while (!Done() && Peek() != '\n') Next();
    }
};

bool Fail(std::string* error, int line, const std::string& what) {
    *error = "line " + std::to_string(line) + ": " + what;
    return false;
}

bool IsResult(const std::string& w) { return w == "1-0" || w == "0-1" || w == "1/2-1/2" || w == "*"; }

bool IsSymbolChar(char c) { return c && !isspace((unsigned char)c) && !strchr("{}()[];$\"", c); }

// `[Name "value"]`, the reader on the '['.
bool ReadTag(READER_T* r, std::pair<std::string, std::string>* tag, std::string* error) {
    const int line = r->line;
    r->Next();
    while (r->Peek() == ' ' || r->Peek() == '\t') r->Next();
    std::string name;
    while (isalnum((unsigned char)r->Peek()) || r->Peek() == '_') name += r->Next();
    while (r->Peek() == ' ' || r->Peek() == '\t') r->Next();
    if (name.empty() || r->Peek() != '"') return Fail(error, line, "a tag needs a name and a quoted value");
    r->Next();
    std::string value;
    for (;;) {
        if (r->Done() || r->Peek() == '\n') return Fail(error, line, "a tag with no end (its value is not closed)");
        char c = r->Next();
        if (c == '"') break;
        if (c == '\\' && (r->Peek() == '"' || r->Peek() == '\\')) c = r->Next();
        value += c;
    }
    while (r->Peek() == ' ' || r->Peek() == '\t') r->Next();
    if (r->Peek() != ']') return Fail(error, line, "a tag with no end (no ']')");
    r->Next();
    *tag = {name, value};
    return true;
}

// A comment in braces, the reader on the '{'; its text into `text` when given.
bool SkipComment(READER_T* r, std::string* error, std::string* text = nullptr) {
    const int line = r->line;
    while (!r->Done() && r->Peek() != '}') {
        const char c = r->Next();
        if (text) *text += c;
    }
    if (r->Done()) return Fail(error, line, "a comment '{' that never ends");
    r->Next();
    return true;
}

// A variation with everything in it, the reader on the '('.
bool SkipVariation(READER_T* r, std::string* error) {
    const int line = r->line;
    int depth = 0;
    while (!r->Done()) {
        const char c = r->Peek();
        if (c == '{') {
            if (!SkipComment(r, error)) return false;
            continue;
        }
        if (c == ';') {
            r->SkipLine();
            continue;
        }
        r->Next();
        if (c == '(') depth++;
        if (c == ')' && --depth == 0) return true;
    }
    return Fail(error, line, "a variation '(' that never ends");
}
}  // namespace

bool PgnParse(const std::string& text, int number, PGN_GAME_T* game, std::string* error) {
    READER_T r{text};
    int index = 0;              // the game being read, counting from 1
    bool in_game = false;       // something of the current game was read
    bool in_moves = false;      // its movetext has begun
    PGN_GAME_T current;
    auto finish = [&](const std::string& result) {
        current.result = result;
        if (index == number) *game = current;
        in_game = in_moves = false;
        current = PGN_GAME_T();
        return index == number;
    };
    auto begin = [&]() {
        if (in_game) return;
        in_game = true;
        index++;
        current.first_line = r.line;
    };
    while (!r.Done()) {
        const char c = r.Peek();
        if (r.AtByteOrderMark()) {
            r.at += 3;  // line_start as it was: '%' may follow
        } else if (c == '%' && r.line_start) {
            r.SkipLine();
        } else if (isspace((unsigned char)c)) {
            r.Next();
        } else if (c == ';') {
            r.SkipLine();
        } else if (c == '{') {
            // a move's clock stands in a comment after it
            std::string comment;
            if (!SkipComment(&r, error, &comment)) return false;
            const long long clock = ClockOfComment(comment);
            if (clock >= 0 && in_moves && !current.moves.empty()) current.moves.back().clock_ms = clock;
        } else if (c == '(') {
            if (!SkipVariation(&r, error)) return false;
        } else if (c == ')') {
            return Fail(error, r.line, "')' without its '('");
        } else if (c == '[') {
            // tags after moves without a result: the next game begins
            if (in_moves && finish("*")) return true;
            begin();
            std::pair<std::string, std::string> tag;
            if (!ReadTag(&r, &tag, error)) return false;
            current.tags.push_back(tag);
        } else if (c == '$') {
            r.Next();
            while (isdigit((unsigned char)r.Peek())) r.Next();
        } else {
            const int line = r.line;
            std::string word;
            while (IsSymbolChar(r.Peek())) word += r.Next();
            if (word.empty()) return Fail(error, line, std::string("unexpected '") + r.Next() + "'");
            begin();
            in_moves = true;
            if (IsResult(word)) {
                if (finish(word)) return true;
                continue;
            }
            // a move number, perhaps with the move glued on (1.e4, 12...Nf6)
            size_t i = 0;
            while (i < word.size() && isdigit((unsigned char)word[i])) i++;
            if (i > 0 && i < word.size() && word[i] == '.') {
                while (i < word.size() && word[i] == '.') i++;
                word = word.substr(i);
            } else if (i == word.size() || word.find_first_not_of(".") == std::string::npos) {
                continue;  // a bare number, or dots alone
            }
            if (word.empty() || word.find_first_not_of("!?") == std::string::npos || word == "e.p.") continue;
            current.moves.push_back({word, line});
        }
    }
    if (in_game && finish("*")) return true;
    if (index < number) {
        *error = index == 0 ? "no game in the file"
                            : "the file holds " + std::to_string(index) + (index == 1 ? " game" : " games") +
                                  ", not " + std::to_string(number);
        return false;
    }
    return true;
}
