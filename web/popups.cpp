#include "popups.h"

#include <string>

namespace velbarino::web {
namespace {

bool inside(const val& container, const val& node) {
    return !container.isNull() && !node.isNull() && !node.isUndefined() && container.call<bool>("contains", node);
}

val openMenus() { return document().call<val>("querySelectorAll", std::string("[role=menu]:not([hidden])")); }

// A menu of the menu bar stays open while the focus or a press moves to the bar, which switches menus.
bool withinBar(const val& menu, const val& node) {
    const val bar = byId("MenuBar");
    return inside(bar, menu) && inside(bar, node);
}

}  // namespace

void Popups::attach(val listButton, val dropDown) {
    listButton_ = std::move(listButton);
    dropDown_ = std::move(dropDown);
}

bool Popups::listOpen() const { return !dropDown_["hidden"].as<bool>(); }

bool Popups::inList(const val& node) const { return inside(listButton_, node) || inside(dropDown_, node); }

void Popups::openList(bool open, bool refocus) {
    dropDown_.set("hidden", !open);
    listButton_.call<void>("setAttribute", std::string("aria-expanded"), std::string(open ? "true" : "false"));
    if (!open) {
        listButton_.call<void>("removeAttribute", std::string("aria-activedescendant"));
        if (refocus) listButton_.call<void>("focus");
    }
}

void Popups::mark(int index) {
    marked_ = index;
    val entries = dropDown_["children"];
    for (int i = 0; i < entries["length"].as<int>(); ++i) entries[i]["classList"].call<void>("toggle", std::string("marked"), i == index);
    listButton_.call<void>("setAttribute", std::string("aria-activedescendant"), "Cmb_Ean_" + std::to_string(index));
}

void Popups::focus(val control) {
    lastFocus_ = control;
    lastFocus_.call<void>("focus");
}

// A menu with no enabled entry takes the focus itself, so that Escape reaches it.
void Popups::openMenu(val menu) {
    menu.set("hidden", false);
    val first = menu.call<val>("querySelector", std::string("button:not([disabled])"));
    if (first.isNull()) {
        menu.set("tabIndex", -1);
        first = menu;
    }
    first.call<void>("focus");
}

void Popups::closeMenus() {
    val open = openMenus();
    if (open["length"].as<int>() == 0) return;
    for (int i = 0; i < open["length"].as<int>(); ++i) open[i].set("hidden", true);
    if (!lastFocus_.isNull()) lastFocus_.call<void>("focus");
}

void Popups::backToWindow() {
    closeMenus();
    if (!lastFocus_.isNull()) lastFocus_.call<void>("focus");
}

// In an open menu: arrows move between its entries, Escape closes it.
void Popups::menuKeyDown(val event) {
    const std::string key = event["key"].as<std::string>();
    val entries = event["currentTarget"].call<val>("querySelectorAll", std::string("button:not([disabled])"));
    const int count = entries["length"].as<int>();
    int at = 0;
    while (at < count && !entries[at].strictlyEquals(document()["activeElement"])) ++at;
    if (key == "Escape") {
        closeMenus();
    } else if ((key == "ArrowDown" || key == "ArrowUp") && count > 0) {
        entries[(at + (key == "ArrowDown" ? 1 : count - 1)) % count].call<void>("focus");
    } else {
        return;
    }
    event.call<void>("preventDefault");
}

bool Popups::closeOutside(const val& target) {
    bool closed = false;
    if (listOpen() && !inList(target)) {
        openList(false);
        closed = true;
    }
    val open = openMenus();
    for (int i = 0; i < open["length"].as<int>(); ++i) {
        if (inside(open[i], target) || withinBar(open[i], target)) continue;
        closeMenus();
        return true;
    }
    return closed;
}

// A press outside an open list or menu closes it, as a native popup's does:
// the press neither moves the focus nor reaches what lies under it. Captions,
// boxes, the menu bar and popups never take the focus from where the keys go.
void Popups::pressAnywhere(val event) {
    val target = event["target"];
    swallowClick_ = closeOutside(target);
    if (swallowClick_) {
        event.call<void>("stopPropagation");
        event.call<void>("preventDefault");
    } else if (target.call<val>("closest", std::string("#ClientArea input, #ClientArea > button")).isNull()) {
        event.call<void>("preventDefault");
    }
}

// The click that ends a press that closed a popup goes nowhere. A click by
// the keyboard (Enter or the space bar on the button; no pointer, detail 0)
// is no end of a press: it goes on, and a press that no click followed (a
// drag away) is forgotten.
void Popups::clickAnywhere(val event) {
    const bool swallow = swallowClick_ && event["detail"].as<int>() > 0;
    swallowClick_ = false;
    if (!swallow) return;
    event.call<void>("stopPropagation");
    event.call<void>("preventDefault");
}

// The focus left the list or a menu for somewhere outside it: it closes, and
// nothing is picked.
void Popups::focusOut(val event) {
    val next = event["relatedTarget"];
    if (listOpen() && !inList(next)) openList(false, false);
    val open = openMenus();
    for (int i = 0; i < open["length"].as<int>(); ++i) {
        if (!inside(open[i], next) && !withinBar(open[i], next)) open[i].set("hidden", true);
    }
}

void Popups::controlFocused(val event) {
    val target = event["target"];
    if (target.call<val>("closest", std::string("[role=menu]")).isNull()) lastFocus_ = target;
}

// Back from elsewhere with the focus nowhere, or on a menu entry that closed
// meanwhile and is drawn no more: it goes back where the keys went.
void Popups::pageFocused() {
    const val active = document()["activeElement"];
    const bool nowhere = active.isNull() || active.strictlyEquals(document()["body"]) ||
                         active.call<val>("getClientRects")["length"].as<int>() == 0;
    if (nowhere && !lastFocus_.isNull()) lastFocus_.call<void>("focus");
}

}  // namespace velbarino::web
