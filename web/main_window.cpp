#include "main_window.h"

#include <emscripten.h>

#include <algorithm>
#include <optional>

#include "colour.h"
#include "key_ascii.h"
#include "texts.h"

namespace velbarino::web {
namespace {

std::string nameOf(ControlId id) { return controlName(id); }

void placeAt(const char* id, const Geometry& g) {
    place(id, pixelsOf(g.left), pixelsOf(g.top), pixelsOf(g.width), pixelsOf(g.height));
}

std::string css(Rgb c) {
    return "rgb(" + std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue) + ")";
}

// A colour of the theme as the page's style sheet sets it (light or dark), as
// "#rrggbb", read as 0xrrggbb.
EM_JS(int, jsThemeColour, (const char* property), {
    const value = getComputedStyle(document.documentElement).getPropertyValue(UTF8ToString(property));
    const hex = /#([0-9a-f]{6})/i.exec(value);
    return hex ? parseInt(hex[1], 16) : 0;
});

Rgb themeColour(const char* property) {
    const int rgb = jsThemeColour(property);
    return {(rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF};
}

// A caption with its access key ('&' before it) as text plus the key.
std::pair<std::u16string, std::u16string> accessKey(std::u16string_view caption) {
    std::u16string text, key;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) {
            key = caption.substr(i + 1, 1);
            continue;
        }
        text += caption[i];
    }
    return {text, key};
}

// The letter of a shortcut as browsers find it: the letter typed on a Latin
// layout, else the key's code, as Ctrl+V on a Russian layout types "м".
std::optional<char16_t> shortcutLetter(const val& event) {
    const std::string key = event["key"].as<std::string>();
    if (key.size() == 1 && ((key[0] >= 'a' && key[0] <= 'z') || (key[0] >= 'A' && key[0] <= 'Z'))) {
        return static_cast<char16_t>(key[0]);
    }
    const val keyCode = event["keyCode"];
    if (keyCode.isNumber() && keyCode.as<int>() >= 'A' && keyCode.as<int>() <= 'Z') return static_cast<char16_t>(keyCode.as<int>());
    const val code = event["code"];
    const std::string name = code.isString() ? code.as<std::string>() : std::string();
    if (name.size() == 4 && name.rfind("Key", 0) == 0) return static_cast<char16_t>(name[3]);
    return std::nullopt;
}

}  // namespace

MainWindow::MainWindow(MainWindowState& state, Frm_Ean& form) : state_(state), form_(form) {
    const std::string system = val::global("navigator")["platform"].as<std::string>();
    commandIsMeta_ = system.rfind("Mac", 0) == 0 || system.rfind("iP", 0) == 0;
    build();
    state_.setObserver(this);
}

MainWindow::~MainWindow() { state_.setObserver(nullptr); }

std::map<ControlId, std::string> MainWindow::controlIds() const {
    std::map<ControlId, std::string> ids;
    for (ControlId id : {ControlId::Cmb_Ean, ControlId::Txt_Ean, ControlId::Cmd_Calcola}) ids[id] = nameOf(id);
    for (ControlId id : kLabelIds) ids[id] = nameOf(id);
    return ids;
}

void MainWindow::build() {
    const std::u16string& caption = state_.form().Caption;
    setAttribute("Frm_Ean", "aria-label", caption);
    setProperty("Title", "textContent", caption);
    setTitle(caption);
    buildMenus();

    place("ClientArea", 0, 0, pixelsOf(state_.form().clientWidth), pixelsOf(state_.form().clientHeight));
    setStyle("ClientArea", "position", "relative");
    // Each caption is created before the control it names, which refers to
    // it; all are made before any is filled in, since a caption names a box.
    for (ControlId id : kLabelIds) {
        const LabelControl& model = state_.label(id);
        create(id == ControlId::Lab_Desc0 || id == ControlId::Lab_Desc1 ? "label" : "div", "ClientArea", nameOf(id),
               model.fixedSingleBorder ? "label box" : "label");
        placeAt(nameOf(id).c_str(), model.geometry);
    }
    for (ControlId id : kLabelIds) labelChanged(id);

    const ComboControl& list = state_.Cmb_Ean();
    create("button", "ClientArea", "Cmb_Ean", "combo");
    setProperty("Cmb_Ean", "title", list.toolTip);
    for (const auto& [name, value] : {std::pair{"role", "combobox"}, {"aria-haspopup", "listbox"},
                                      {"aria-expanded", "false"}, {"aria-controls", "Cmb_Ean_list"},
                                      {"aria-labelledby", "Lab_Desc0"}}) {
        setAttribute("Cmb_Ean", name, std::string(value));
    }
    placeAt("Cmb_Ean", list.geometry);
    create("ul", "ClientArea", "Cmb_Ean_list");
    setAttribute("Cmb_Ean_list", "role", std::string("listbox"));
    setAttribute("Cmb_Ean_list", "aria-labelledby", std::string("Lab_Desc0"));
    setFlag("Cmb_Ean_list", "hidden", true);
    place("Cmb_Ean_list", pixelsOf(list.geometry.left), pixelsOf(list.geometry.top + list.geometry.height),
          pixelsOf(list.geometry.width), 0);
    setStyle("Cmb_Ean_list", "height", "auto");
    popups_.attach(byId("Cmb_Ean"), byId("Cmb_Ean_list"));
    itemsChanged();

    const TextControl& text = state_.Txt_Ean();
    create("input", "ClientArea", "Txt_Ean");
    for (const auto& [name, value] : {std::pair{"type", "text"}, {"inputmode", "numeric"}, {"autocomplete", "off"},
                                      {"spellcheck", "false"}}) {
        setAttribute("Txt_Ean", name, std::string(value));
    }
    setProperty("Txt_Ean", "title", text.toolTip);
    placeAt("Txt_Ean", text.geometry);
    setProperty("Lab_Desc1", "htmlFor", std::string("Txt_Ean"));
    field_ = byId("Txt_Ean");

    const ButtonControl& button = state_.Cmd_Calcola();
    create("button", "ClientArea", "Cmd_Calcola");
    setProperty("Cmd_Calcola", "textContent", button.Caption);
    setAttribute("Cmd_Calcola", "aria-label", texts::kButtonName);  // "..." says nothing
    placeAt("Cmd_Calcola", button.geometry);

    // Tab order: the controls in the order of their tab indexes.
    int order = 1;
    for (ControlId id : state_.tabStops()) setNumber(nameOf(id).c_str(), "tabIndex", order++);
    // The code's menu opens under its box, wherever the pointer is, the window's scale included.
    byId("ClientArea").call<void>("appendChild", byId("CodeMenu"));
    const Geometry& code = state_.LabEsatto().geometry;
    setStyle("CodeMenu", "left", std::to_string(pixelsOf(code.left)) + "px");
    setStyle("CodeMenu", "top", std::to_string(pixelsOf(code.top + code.height)) + "px");
    setProperty("CopyEntry", "textContent", texts::kCopia);
    setProperty("Ended", "textContent", texts::kWebEnded);
}

void MainWindow::offerScanning() {
    state_.offerScanning();
    for (const MenuEntry& item : state_.menus().front().items) {
        if (item.id != MenuId::MenuScan || !byId(menuName(item.id)).isNull()) continue;
        create("button", "MenuFile_items", menuName(item.id));
        setProperty(menuName(item.id), "textContent", item.Caption);
        setAttribute(menuName(item.id), "role", std::string("menuitem"));
        setNumber(menuName(item.id), "tabIndex", -1);
        byId("MenuFile_items").call<void>("insertBefore", byId(menuName(item.id)), byId("MenuFile_items")["firstChild"]);
    }
}

void MainWindow::buildMenus() {
    for (const MenuEntry& top : state_.menus()) {
        const auto [caption, key] = accessKey(top.Caption);
        const char* id = menuName(top.id);
        const std::string popup = std::string(id) + "_items";
        create("button", "MenuBar", id);
        setProperty(id, "textContent", caption);
        setProperty(id, "accessKey", key);
        setNumber(id, "tabIndex", -1);  // reached by F10 or its access key, as on the desktop; Tab stays in the window
        setAttribute(id, "role", std::string("menuitem"));
        setAttribute(id, "aria-haspopup", std::string("menu"));
        create("div", "MenuBar", popup, "popup");
        setAttribute(popup.c_str(), "role", std::string("menu"));
        setFlag(popup.c_str(), "hidden", true);
        for (const MenuEntry& item : top.items) {
            create("button", popup.c_str(), menuName(item.id));
            setProperty(menuName(item.id), "textContent", item.Caption);
            setAttribute(menuName(item.id), "role", std::string("menuitem"));
            setNumber(menuName(item.id), "tabIndex", -1);
        }
    }
}

void MainWindow::show() {
    setFlag("Frm_Ean", "hidden", false);
    const std::vector<ControlId> stops = state_.tabStops();
    if (!stops.empty()) popups_.focus(byId(nameOf(stops.front())));
    shown_ = true;
    for (ControlId id : kLabelIds) colour(id);
    val::global("Module").call<void>("fit");
}

void MainWindow::end() {
    byId("Frm_Ean").call<void>("remove");
    if (const val box = byId("MessageBox"); !box.isNull()) box.call<void>("remove");
    byId("Ended").set("hidden", false);
    val::global("Module").set("ended", true);  // the glue hands on no event any more
    val::global("window").call<void>("close");  // closes a page that a script opened; others stay
}

// The field: control keys go through the filter before the field acts on them.
// Shortcuts go by the key, on any layout; Ctrl with Alt is AltGr, which types.
void MainWindow::fieldKeyDown(val event) {
    // A key that an input method is taking (its Enter confirms the composition) is the input method's.
    if (event["isComposing"].as<bool>() || event["keyCode"].strictlyEquals(val(229))) return;
    const std::string key = event["key"].as<std::string>();
    const bool control = event[commandIsMeta_ ? "metaKey" : "ctrlKey"].as<bool>() && !event["altKey"].as<bool>();
    std::int16_t code = keys::Dropped;
    if (key == "Enter") {
        code = control ? keys::LineFeed : keys::Enter;
    } else if (key == "Backspace") {
        code = control ? keys::CtrlBackspace : keys::Backspace;
    } else if (key == "Escape") {
        code = keys::Escape;
    } else if (!control) {
        return;  // characters come as input; keys without one are the field's own
    } else if (const std::optional<char16_t> letter = shortcutLetter(event)) {
        code = *keys::controlCode(*letter);
    } else if (const auto chord = key.size() == 1 ? keys::controlCode(static_cast<char16_t>(key[0])) : std::nullopt) {
        code = *chord;  // Ctrl+[ and the like
    } else {
        return;  // a chord that carries no code keeps the browser's meaning: Ctrl+- zooms out
    }
    // Enter has run the action; the field only needs the keys it edits with.
    if (code == keys::Enter || code == keys::LineFeed) event.call<void>("preventDefault");
    form_.Txt_Ean_KeyPress(code);
    if (code == keys::Dropped) event.call<void>("preventDefault");
}

// Typed and keypad characters, one code unit at a time: each one the filter
// passes goes in at the caret, as the field would put it.
void MainWindow::fieldBeforeInput(val event) {
    const std::string type = event["inputType"].as<std::string>();
    if (type != "insertText" || !event["cancelable"].as<bool>()) return;
    event.call<void>("preventDefault");
    typeCommitted(fromJs(event["data"]));
}

void MainWindow::fieldCompositionStart() {
    compositionStart_ = field_["selectionStart"].as<int>();
    compositionEnd_ = field_["selectionEnd"].as<int>();
}

// Composed text (dead keys, input methods) arrives once the composition ends;
// the field shows it while composing, and only the filtered text stays, put
// where the composition began.
void MainWindow::fieldCompositionEnd(val event) {
    textChanged();
    field_.call<void>("setSelectionRange", compositionStart_, compositionEnd_);
    typeCommitted(fromJs(event["data"]));
}

// Each character the filter lets in goes in at the caret, as the field would put it.
void MainWindow::typeCommitted(const std::u16string& text) {
    form_.typeCommitted(text, [this](char16_t character) {
        field_.call<void>("setRangeText", toJs(std::u16string(1, character)), field_["selectionStart"], field_["selectionEnd"],
                          std::string("end"));
        form_.fieldEdited(fromJs(field_["value"]));
    });
}

// Every other change the field makes itself: deleting, pasting, cutting, dropping.
void MainWindow::fieldInput(val event) {
    if (event["isComposing"].as<bool>()) return;
    form_.fieldEdited(fromJs(field_["value"]));
}

void MainWindow::fieldDoubleClick() { form_.Txt_Ean_DblClick(); }

// The action list: arrows on the closed list pick at once; F4, Alt+Down,
// Enter or the space bar open it; in the open list, arrows mark an entry and
// Enter or the space bar pick it, the marked one again included.
void MainWindow::listKeyDown(val event) {
    const std::string key = event["key"].as<std::string>();
    const bool open = popups_.listOpen();
    const int count = static_cast<int>(state_.Cmb_Ean().items.size());
    const int step = key == "ArrowDown" ? 1 : key == "ArrowUp" ? -1 : 0;
    if (open) {
        if (step != 0) popups_.mark(std::clamp(popups_.marked() + step, 0, count - 1));
        if (key == "Enter" || key == " ") {
            popups_.openList(false);
            form_.entryPicked(static_cast<std::int16_t>(popups_.marked()));
        }
        if (key == "Escape" || key == "Tab") popups_.openList(false);
        if (key != "Tab") event.call<void>("preventDefault");
        return;
    }
    if (key == "F4" || key == "Enter" || key == " " || (step == 1 && event["altKey"].as<bool>())) {
        openList();
        event.call<void>("preventDefault");
    } else if (step != 0) {
        const int index = std::clamp(state_.Cmb_Ean().ListIndex + step, 0, count - 1);
        if (index != state_.Cmb_Ean().ListIndex) form_.entryPicked(static_cast<std::int16_t>(index));
        event.call<void>("preventDefault");
    }
}

void MainWindow::listClick() {
    if (popups_.listOpen()) {
        popups_.openList(false);
    } else {
        openList();
    }
}

void MainWindow::optionClick(val event) {
    val option = event["target"].call<val>("closest", std::string("li[data-index]"));
    if (option.isNull()) return;  // the list's border: no entry
    const int index = val::global("Number")(option["dataset"]["index"]).as<int>();  // written by itemsChanged: digits
    popups_.openList(false);
    form_.entryPicked(static_cast<std::int16_t>(index));
}

// The drop-down opens with the selected entry marked.
void MainWindow::openList() {
    popups_.openList(true);
    popups_.mark(state_.Cmb_Ean().ListIndex);
}

void MainWindow::buttonClick() { form_.Cmd_Calcola_Click(); }
void MainWindow::codeDoubleClick() { form_.LabEsatto_DblClick(); }

void MainWindow::codeContextMenu(val event) {
    event.call<void>("preventDefault");
    popups_.closeMenus();
    byId("CopyEntry").set("disabled", !form_.codeInLabEsatto().has_value());
    popups_.openMenu(byId("CodeMenu"));
}

void MainWindow::copyClick() {
    popups_.closeMenus();
    form_.Copia_Click();
}

void MainWindow::menuClick(val event) {
    const std::string id = event["currentTarget"]["id"].as<std::string>();
    for (const MenuEntry& top : state_.menus()) {
        if (id == menuName(top.id)) {
            val popup = byId(id + "_items");
            const bool wasOpen = !popup["hidden"].as<bool>();
            popups_.closeMenus();
            if (!wasOpen) popups_.openMenu(popup);
            return;
        }
        for (const MenuEntry& item : top.items) {
            if (id == menuName(item.id)) {
                popups_.closeMenus();
                form_.Menu_Click(item.id);
                return;
            }
        }
    }
}

// In an open menu of the bar, Left and Right open the next menu along it.
void MainWindow::menuKeyDown(val event) {
    const std::string key = event["key"].as<std::string>();
    val menu = event["currentTarget"];
    if ((key == "ArrowLeft" || key == "ArrowRight") && menu["parentNode"].strictlyEquals(byId("MenuBar"))) {
        toTitle(menu["previousElementSibling"], key == "ArrowLeft" ? -1 : 1, true);
        event.call<void>("preventDefault");
        return;
    }
    popups_.menuKeyDown(event);
}

// On a title of the menu bar: Left and Right go along the bar (switching the
// open menu), Down opens its menu, Escape goes back to the window.
void MainWindow::barKeyDown(val event) {
    const std::string key = event["key"].as<std::string>();
    val title = event["currentTarget"];
    const bool open = !byId(title["id"].as<std::string>() + "_items")["hidden"].as<bool>();
    if (key == "ArrowLeft" || key == "ArrowRight") {
        toTitle(title, key == "ArrowLeft" ? -1 : 1, open);
    } else if (key == "ArrowDown" && !open) {
        toTitle(title, 0, true);
    } else if (key == "Escape") {
        popups_.backToWindow();
    } else {
        return;
    }
    event.call<void>("preventDefault");
}

void MainWindow::toTitle(const val& from, int step, bool open) {
    const std::vector<MenuEntry>& menus = state_.menus();
    const int count = static_cast<int>(menus.size());
    int at = 0;
    while (at < count && from["id"].as<std::string>() != menuName(menus[static_cast<std::size_t>(at)].id)) ++at;
    const std::string next = menuName(menus[static_cast<std::size_t>((at + step + count) % count)].id);
    popups_.closeMenus();
    if (open) {
        popups_.openMenu(byId(next + "_items"));
    } else {
        byId(next).call<void>("focus");
    }
}

// Tab and Shift+Tab go round the window's tab stops and never leave it, as
// in a desktop window; F10 puts the focus on the menu bar, as Windows does.
void MainWindow::windowKeyDown(val event) {
    const std::string key = event["key"].as<std::string>();
    if (event["altKey"].as<bool>() || event["ctrlKey"].as<bool>() || event["metaKey"].as<bool>()) return;
    if (key == "F10" && !event["shiftKey"].as<bool>()) {
        popups_.closeMenus();
        byId(menuName(state_.menus().front().id)).call<void>("focus");
        event.call<void>("preventDefault");
        return;
    }
    const std::vector<ControlId> stops = state_.tabStops();
    const val target = event["target"]["id"];
    const std::string at = target.isString() ? target.as<std::string>() : std::string();
    const auto here = std::find_if(stops.begin(), stops.end(), [&](ControlId id) { return nameOf(id) == at; });
    if (key != "Tab" || here == stops.end()) return;
    const auto count = static_cast<std::ptrdiff_t>(stops.size());
    const std::ptrdiff_t next = (here - stops.begin() + (event["shiftKey"].as<bool>() ? count - 1 : 1)) % count;
    popups_.focus(byId(nameOf(stops[static_cast<std::size_t>(next)])));
    event.call<void>("preventDefault");
}
void MainWindow::pressAnywhere(val event) { popups_.pressAnywhere(event); }
void MainWindow::clickAnywhere(val event) { popups_.clickAnywhere(event); }
void MainWindow::controlFocused(val event) { popups_.controlFocused(event); }
void MainWindow::focusOut(val event) { popups_.focusOut(event); }
void MainWindow::pageFocused() { popups_.pageFocused(); }

void MainWindow::closeRequested() {
    bool cancel = false;
    form_.Form_QueryUnload(cancel, 0);
}

void MainWindow::labelChanged(ControlId control) {
    const LabelControl& model = state_.label(control);
    const std::string id = nameOf(control);
    setProperty(id.c_str(), "textContent", model.Caption);
    setFlag(id.c_str(), "hidden", !model.Visible);
    colour(control);
    for (ControlId box : {ControlId::LabRisultato, ControlId::LabEsatto}) {
        if (nameLabelOf(box) != control) continue;
        if (state_.spokenLabelOf(box)) {
            setAttribute(nameOf(box).c_str(), "aria-labelledby", id + " " + nameOf(box));
        } else {
            removeAttribute(nameOf(box).c_str(), "aria-labelledby");
        }
    }
}

// A box with a colour of its own takes it, made readable on the theme. Not
// before the window is shown: the theme's colours are read from the page's
// styles, which the browser would work out for a half-built window, and then
// again for the whole one.
void MainWindow::colour(ControlId control) {
    const LabelControl& model = state_.label(control);
    if (!shown_ || !model.BackColor) return;
    const LabelColours colours = labelColours(model.BackColor, theme());
    const std::string id = nameOf(control);
    setStyle(id.c_str(), "backgroundColor", css(colours.back));
    setStyle(id.c_str(), "color", css(colours.text));
}

// Read once, not at each label: each read after a change to the page makes
// the browser work its styles out again.
const ThemeColours& MainWindow::theme() {
    if (!theme_) theme_ = ThemeColours{themeColour("--button-face"), themeColour("--button-text"), themeColour("--window-text")};
    return *theme_;
}

void MainWindow::themeChanged() {
    theme_.reset();
    for (ControlId id : kLabelIds) colour(id);
}

void MainWindow::itemsChanged() {
    byId("Cmb_Ean_list").call<void>("replaceChildren");
    int index = 0;
    for (const std::u16string& item : state_.Cmb_Ean().items) {
        const std::string id = "Cmb_Ean_" + std::to_string(index);
        create("li", "Cmb_Ean_list", id);
        setAttribute(id.c_str(), "role", std::string("option"));
        setAttribute(id.c_str(), "data-index", std::to_string(index++));
        setProperty(id.c_str(), "textContent", item);
    }
    listIndexChanged();
}

void MainWindow::listIndexChanged() {
    const ComboControl& list = state_.Cmb_Ean();
    const int selected = list.ListIndex;
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        setAttribute(("Cmb_Ean_" + std::to_string(i)).c_str(), "aria-selected",
                     std::string(static_cast<int>(i) == selected ? "true" : "false"));
    }
    setProperty("Cmb_Ean", "textContent", selected >= 0 ? std::u16string_view(list.items[static_cast<std::size_t>(selected)])
                                                        : std::u16string_view());
}

void MainWindow::textChanged() { setProperty("Txt_Ean", "value", state_.Txt_Ean().Text); }

void MainWindow::selectionChanged() {
    const TextControl& text = state_.Txt_Ean();
    field_.call<void>("setSelectionRange", text.SelStart, text.SelStart + text.SelLength);
}

}  // namespace velbarino::web
