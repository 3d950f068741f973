// The window in a browser page: renders MainWindowState into HTML controls
// laid out from the twips table at 96 CSS pixels an inch, keeps them in step
// with every write the logic makes, and hands the page's events to Frm_Ean:
// keys and characters before the field applies them, the field's own edits,
// picks, clicks, double-clicks, menus and the close request. Its list's
// drop-down and its menus are Popups. No rule lives here. Each event handler
// takes the DOM event it translates.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "colour.h"
#include "dom.h"
#include "frm_ean.h"
#include "main_window_state.h"
#include "popups.h"

namespace velbarino::web {

class MainWindow final : private StateObserver {
public:
    MainWindow(MainWindowState& state, Frm_Ean& form);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    /// Every control's element id, for the platform's focus.
    std::map<ControlId, std::string> controlIds() const;
    /// Shows the window with the focus on the first control of the tab order.
    void show();
    /// The program has ended: the window goes, a notice takes its place.
    void end();

    // The page's events, from the glue.
    void fieldKeyDown(val event);
    void fieldBeforeInput(val event);
    void fieldCompositionStart();
    void fieldCompositionEnd(val event);
    void fieldInput(val event);
    void fieldDoubleClick();
    void listKeyDown(val event);
    void listClick();
    void optionClick(val event);
    void buttonClick();
    void codeDoubleClick();
    void codeContextMenu(val event);
    void copyClick();
    void menuClick(val event);
    void menuKeyDown(val event);
    void barKeyDown(val event);
    void windowKeyDown(val event);
    void pressAnywhere(val event);
    void clickAnywhere(val event);
    void controlFocused(val event);
    void focusOut(val event);
    void pageFocused();
    void closeRequested();
    /// The system's light or dark theme has changed: the boxes take its colours.
    void themeChanged();
    /// The browser lists a camera and can read barcodes: "File" offers the scanner.
    void offerScanning();

private:
    void labelChanged(ControlId label) override;
    void itemsChanged() override;
    void listIndexChanged() override;
    void textChanged() override;
    void selectionChanged() override;

    void colour(ControlId label);
    const ThemeColours& theme();
    void build();
    void buildMenus();
    void typeCommitted(const std::u16string& text);
    void openList();
    /// The menu bar's title @p step places from the focused one, round the bar:
    /// focused, or its menu opened where @p open.
    void toTitle(const val& from, int step, bool open);

    MainWindowState& state_;
    Frm_Ean& form_;
    Popups popups_;
    val field_ = val::null();  // Txt_Ean
    bool commandIsMeta_ = false;    // on Apple's systems Command plays Ctrl's part
    int compositionStart_ = 0, compositionEnd_ = 0;  // the selection a composition replaces
    std::optional<ThemeColours> theme_;
    bool shown_ = false;  // the boxes are coloured from the first showing on
};

}  // namespace velbarino::web
