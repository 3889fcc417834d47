#include "viewlogic.h"
#include "tamzor.h"

void LINE_INPUT_C::Open(const std::string& label) {
    open_ = true;
    label_ = label;
    text_.clear();
    reason_.clear();
}

void LINE_INPUT_C::Close() {
    open_ = false;
    text_.clear();
    reason_.clear();
}

LINE_INPUT_C::RESULT_E LINE_INPUT_C::Key(unsigned char key) {
    if (!open_) return CANCELLED;
    if (key == 27) {
        Close();
        return CANCELLED;
    }
    if (key == '\r' || key == '\n') return ENTERED;
    // Whatever the player types next answers the reason shown: Backspace
    // mends the refused text, a letter starts a new one.
    if (key == 8 || key == 127) {
        if (!text_.empty()) text_.pop_back();
        reason_.clear();
    } else if (key >= ' ' && key < 127 && (text_.size() < MAX_TEXT || !reason_.empty())) {
        if (!reason_.empty()) text_.clear();
        text_ += (char)key;
        reason_.clear();
    }
    return TYPING;
}

std::string LINE_INPUT_C::Shown() const {
    std::string s = label_ + text_ + "_";
    if (!reason_.empty()) s += "   " + reason_;
    return s;
}
