// What the window shows a user, read off MainWindowState (the model every
// binding renders): its title, its client area's size, the menu bar and each
// menu's items, each control's text, whether it is drawn, its place and size
// in pixels at the design's resolution, its border, and the order Tab goes in. A binding's window test reads its real window into the same shape
// after every step and compares the two, so that a binding drawing, hiding or
// ordering anything differently from the model fails whatever a row names.
// The page hands it out as JSON (Module.windowView()) to whoever inspects it.
#pragma once

#include <string>
#include <vector>

#include "main_window_state.h"

namespace velbarino {

enum class Border { None, Sunken, Raised };

struct ControlView {
    ControlId id;
    bool shown = true;
    std::u16string text;  // a label's caption, the field's text, the list's picked entry, the button's caption
    Geometry place;       // pixels at 96 dpi, from the client area's top-left corner
    Border border = Border::None;
};

struct MenuView {
    std::u16string text;                // '&' before its access key
    std::vector<std::u16string> items;  // each enabled, in order, none a separator
};

struct WindowView {
    std::u16string title;
    int width = 0;  // the client area, pixels
    int height = 0;
    std::vector<MenuView> menus;
    std::vector<ControlView> controls;  // every control, labels first, in the order of ControlId
    std::vector<ControlId> tabOrder;
    std::vector<std::u16string> entries;  // of the action list
};

/// @brief The window as @p state says a user must see it.
WindowView windowView(const MainWindowState& state);

/// @brief @p view as JSON: {"title", "client": [w, h], "menus": [{"text",
/// "items": [{"text", "enabled": true}]}], "controls": {name: {"shown",
/// "text", "place": [l, t, w, h], "border": "none"|"sunken"|"raised"}},
/// "tabOrder": [names], "entries": [texts]}. A hidden control is only
/// {"shown": false}. Text leaves as \\u escapes of its UTF-16 units, lone
/// surrogates included, so nothing is lost on the way.
std::string toJson(const WindowView& view);

}  // namespace velbarino
