// The page as the web binding sees it. Building the window and keeping it in
// step go through a few calls that each name an element by its id and carry
// the window's UTF-16 texts as they are: one call into the page per change,
// which keeps the start-up short. Events arrive as emscripten::val, and the
// handlers read them and walk the page through it.
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

// Elements by id (ASCII names throughout).
/// A new element @p tag with @p id and @p className, appended to the element @p parent.
void create(const char* tag, const char* parent, const std::string& id, const char* className = "");
/// Sets the element's string property @p property (textContent, title, value…).
void setProperty(const char* id, const char* property, std::u16string_view value);
void setProperty(const char* id, const char* property, const std::string& value);
/// Sets a property that takes a number or a flag (tabIndex, hidden, disabled).
void setNumber(const char* id, const char* property, int value);
void setFlag(const char* id, const char* property, bool value);
void setAttribute(const char* id, const char* name, const std::string& value);
void setAttribute(const char* id, const char* name, std::u16string_view value);
void removeAttribute(const char* id, const char* name);
void setStyle(const char* id, const char* property, const std::string& value);
/// Places the element at a position and size in pixels.
void place(const char* id, int left, int top, int width, int height);
/// The document's title.
void setTitle(std::u16string_view text);

}  // namespace velbarino::web
