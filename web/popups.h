// The page's drop-downs, which a browser has no native form of that the
// window could use: the action list's drop-down and the menus (the menu
// bar's and the code's). They open, close and take the focus as native ones
// do: a press outside closes them and goes no further, Escape and the focus
// leaving close them, and a closed menu gives the focus back to the control
// that had it. What a pick or a menu entry does is the window's (MainWindow).
#pragma once

#include "dom.h"

namespace velbarino::web {

class Popups {
public:
    /// After the window is built: @p listButton the closed list (Cmb_Ean),
    /// @p dropDown its entries (Cmb_Ean_list).
    void attach(val listButton, val dropDown);

    bool listOpen() const;
    /// Opens or closes the list's drop-down; closing gives the focus back to
    /// the list unless @p refocus is false (the focus is leaving for elsewhere).
    void openList(bool open, bool refocus = true);
    /// Marks the entry that Enter or the space bar would pick, as drawn and as told.
    void mark(int index);
    int marked() const { return marked_; }

    /// Gives the focus to a control of the window, where a closed menu gives it back.
    void focus(val control);
    void openMenu(val menu);
    void closeMenus();
    /// Closes the menus and gives the focus back to the control that had it.
    void backToWindow();
    /// Arrows and Escape in an open menu.
    void menuKeyDown(val event);

    /// The page's own events around the popups.
    void pressAnywhere(val event);
    void clickAnywhere(val event);
    void focusOut(val event);
    void controlFocused(val event);
    void pageFocused();

private:
    bool inList(const val& node) const;
    /// Closes each open popup that @p target is not in (a menu bar's menus
    /// stay for a press on the bar, which switches them); true when one closed.
    bool closeOutside(const val& target);

    val listButton_ = val::null();
    val dropDown_ = val::null();
    int marked_ = -1;
    bool swallowClick_ = false;   // the press closed a popup: its click goes nowhere
    val lastFocus_ = val::null();  // in the window, outside the menus: where the keys go back to
};

}  // namespace velbarino::web
