// The page as the web binding sees it: DOM elements through emscripten::val,
// and the window's UTF-16 texts as JavaScript strings.
#pragma once

#include <emscripten/val.h>

#include <string>
#include <string_view>

namespace velbarino::web {

using emscripten::val;

/// A JavaScript string as UTF-16 code units, lone surrogates and all.
std::u16string fromJs(const val& text);
val toJs(std::u16string_view text);

inline val document() { return val::global("document"); }
inline val byId(const std::string& id) { return document().call<val>("getElementById", id); }

/// A new element @p tag, appended to @p parent, with @p id when given.
val create(const std::string& tag, val parent, const std::string& id = {});
/// Places @p element at a position and size in pixels.
void place(val element, int left, int top, int width, int height);

}  // namespace velbarino::web
