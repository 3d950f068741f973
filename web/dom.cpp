#include "dom.h"

namespace velbarino::web {

// Embind carries std::wstring as UTF-32 here (wchar_t is 32 bits on
// WebAssembly); the window keeps UTF-16, so code points are split or joined.
std::u16string fromJs(const val& text) {
    std::u16string out;
    for (wchar_t c : text.as<std::wstring>()) {
        const auto point = static_cast<char32_t>(c);
        if (point > 0xFFFF) {
            out += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(point);
        }
    }
    return out;
}

val toJs(std::u16string_view text) {
    std::wstring wide;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            wide += static_cast<wchar_t>(0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00));
        } else {
            wide += static_cast<wchar_t>(c);
        }
    }
    return val(wide);
}

val create(const std::string& tag, val parent, const std::string& id) {
    val element = document().call<val>("createElement", tag);
    if (!id.empty()) element.set("id", id);
    parent.call<void>("appendChild", element);
    return element;
}

void place(val element, int left, int top, int width, int height) {
    val style = element["style"];
    style.set("left", std::to_string(left) + "px");
    style.set("top", std::to_string(top) + "px");
    style.set("width", std::to_string(width) + "px");
    style.set("height", std::to_string(height) + "px");
}

}  // namespace velbarino::web
