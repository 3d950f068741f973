// One table (scenarios.json) of what a user does and what the window must
// then show, say to a screen reader and ask in a message box. Each binding's
// window test runs every row through a driver of its own, which performs the
// steps on the real controls and reads the window back through its
// platform's own means; a row that one binding fails is a difference between
// the bindings. The rows are plain data, read alike by the C++ drivers (Qt,
// Win32) and the browser's (web/tests/scenario_test.py).
#pragma once

#include <nlohmann/json.hpp>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "controls.h"
#include "main_window_state.h"

namespace velbarino::scenarios {

enum class Act {
    Type,              // keys into the field: '\r' Enter, '\b' Backspace, codes 1-26 Ctrl+A to Ctrl+Z
    CtrlV,             // Ctrl+V in the field, with text on the clipboard
    MenuPaste,         // the field's own context-menu paste, with text on the clipboard
    Pick,              // an entry of the action list, picked (again, if it is selected)
    Button,            // a click on the button
    DoubleClickField,
    DoubleClickCode,   // on the box of the complete or corrected code
    Copia,             // "Copia" from that box's context menu
    Menu,              // a menu entry, by MenuId
    CloseRequest,      // the window manager's close
    OpenList,          // a click on the closed action list
    ClickOutside,      // a click on the caption "Azione", away from any control
    ClickPick,         // an entry of the action list, picked with the mouse
    Delete,            // the Delete key in the field
    Cut,               // "Taglia" from the field's own context menu
    Drop,              // text dragged from elsewhere and dropped at the end of the field
    Key,               // a key without a character to the focused control: "Down", "Escape", "Tab", "BackTab" (Shift+Tab) or "Space"
    Chord,             // Ctrl with the key that types the text's one character, in the field
    Scan,              // the camera's scanner, from the File menu, reading the text as a barcode
};

struct Step {
    Act act;
    std::u16string text;  // keys, or the clipboard's text
    int index = 0;        // the list entry, or the MenuId
};

inline Step pick(int index) { return {Act::Pick, {}, index}; }
inline bool numbered(Act act) { return act == Act::Pick || act == Act::ClickPick || act == Act::Menu; }
inline Step act(Act what) { return {what, {}}; }

/// The window's texts as the table writes them: UTF-8.
std::string utf8(std::u16string_view text);

struct Scenario {
    std::string name;
    std::vector<Step> steps;
    std::string expect;  // the row's "expect", as JSON: only what it names is checked ("focusTrail":
                         // the focus after each step; "window": the parts of the whole window it names)
};

/// Every row of scenarios.json, in its order.
const std::vector<Scenario>& all();

/// What a binding's test supplies: the steps on its real window, and the
/// window read back. Each scenario starts on a window just started, with
/// "before" on the clipboard; a paste step puts its text there first.
class Driver {
public:
    virtual ~Driver() = default;
    virtual void perform(const Step& step) = 0;

    virtual nlohmann::json fieldSelection() = 0;  // [start, length]
    virtual std::optional<ControlId> focus() = 0;
    /// Screen readers' names for the controls that take the focus: [list, field, button].
    virtual nlohmann::json names() = 0;
    virtual std::vector<std::u16string> heard() = 0;  // every announcement, in order
    /// Each message box: [text, title, icon (None, Error, Warning or
    /// Information), the field as the user sees it while the box is open].
    virtual nlohmann::json boxes() = 0;
    virtual int bells() = 0;  // refused keys
    virtual std::u16string clipboard() = 0;
    virtual int endRequests() = 0;
    /// The tool tips of the list and of the field.
    virtual nlohmann::json toolTips() = 0;
    virtual bool listOpen() = 0;
    /// How many Enter keys the field control itself was given: none, as the
    /// action has run on each.
    virtual int enterReachedField() = 0;
    /// Whether the code box's context menu offers "Copia"; the menu is closed again.
    virtual bool copiaEnabled() = 0;

    /// The whole window as a user meets it, read off the real controls in
    /// the JSON shape of windowView (ui/window_view.h), a text null where the
    /// platform shows another at that moment; with "openMenu" (a menu of the
    /// bar, drawn open, in the shape of the model's) and "popupFocus" (an open
    /// popup holds the focus) where they apply. The run adds the focus and
    /// hands it to windowDifference at the start, after every step, and
    /// wherever a step calls observe().
    virtual nlohmann::json wholeWindow() = 0;
    /// The model the window renders.
    virtual const MainWindowState& model() = 0;

    /// A thing this platform cannot show, such as a name that the platform
    /// itself computes differently; the check is left out, and said so.
    virtual std::optional<std::string> cannotShow(const char* /*what*/) const { return std::nullopt; }
    /// A step this platform's control does not take (Windows' EDIT takes no
    /// drop); a row with it is left out, and said so.
    /// The desktop programs have no camera: a row with Scan is left out there.
    virtual std::optional<std::string> cannotDo(Act what) const {
        if (what == Act::Scan) return "the desktop programs read no barcode through a camera";
        return std::nullopt;
    }

    /// What observe() calls: set by run().
    void setObserver(std::function<void(const char*)> observer) { observer_ = std::move(observer); }

protected:
    /// For a step to have the window read in its middle (a list or a menu open).
    void observe(const char* moment) {
        if (observer_) observer_(moment);
    }

private:
    std::function<void(const char*)> observer_;
};

/// Where @p read, a binding's reading of its whole window with its focus,
/// differs from @p model (toJson(windowView(state)), parsed): the first
/// difference, or empty where none. The focus must be on a tab stop, or in an
/// open popup; a control that something else covers, or a popup drawn away
/// from what opens it ("misplaced"), differs too.
std::string windowDifference(const nlohmann::json& read, const nlohmann::json& model);

struct Outcome {
    std::vector<std::string> differences;  // one readable line each; none: it passed
    std::vector<std::string> notChecked;   // what the platform cannot show, and why
};

/// Performs @p scenario's steps through @p driver and compares the window
/// with its expectation; message boxes and requests to end are always
/// compared (none, unless the row lists them).
Outcome run(const Scenario& scenario, Driver& driver);

}  // namespace velbarino::scenarios
