// The real window on Win32: the platform's own controls (STATIC, COMBOBOX,
// EDIT, BUTTON, a menu bar) laid out from the twips table at the window's
// DPI, kept in step with every write the logic makes, and the user's keys,
// edits, picks, clicks, double-clicks and close requests handed to Frm_Ean.
// No rule lives here.
#pragma once

#include <windows.h>

#include <functional>
#include <algorithm>
#include <map>

#include "frm_ean.h"
#include "main_window_state.h"

namespace velbarino::win32 {

class MainWindow final : private StateObserver {
public:
    MainWindow(MainWindowState& state, Frm_Ean& form, HINSTANCE instance);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    /// False when Windows refused the window or one of its controls: the
    /// program says so and ends, rather than run without them.
    bool created() const {
        return hwnd_ != nullptr && announcer_ != nullptr &&
               std::all_of(controls_.begin(), controls_.end(), [](const auto& control) { return control.second != nullptr; });
    }
    /// Every control by name, for the platform's focus and repaint.
    const std::map<ControlId, HWND>& controls() const { return controls_; }
    /// The live region that screen readers speak when its text changes.
    HWND announcer() const { return announcer_; }

    /// Shows the window centred on its monitor, with the focus on the first
    /// control of the tab order.
    void showCentred(int showCommand);
    /// Tab, Shift+Tab and the arrow keys between controls, as in a dialog.
    bool preTranslate(MSG& message);
    /// The font every control is drawn with, at the window's current DPI.
    HFONT font() const { return font_; }
    /// Called with each character that the field's key filter lets through
    /// to the EDIT control: what Windows would act on (a test counts them,
    /// since Wine's EDIT ignores some that Windows' EDIT beeps at).
    void watchCharsToField(std::function<void(WPARAM)> watcher) { charWatcher_ = std::move(watcher); }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK fieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleField(HWND field, UINT message, WPARAM wParam, LPARAM lParam);
    void command(int id, int code, HWND from);
    LRESULT colourLabel(HDC dc, HWND label);
    void showCodeMenu(POINT at);

    void create();
    void layout(UINT dpi);
    void labelChanged(ControlId label) override;
    void itemsChanged() override;
    void listIndexChanged() override;
    void textChanged() override;
    void selectionChanged() override;
    void renderLabel(ControlId control);
    void renderItems();
    void renderText();
    void renderSelection();

    MainWindowState& state_;
    Frm_Ean& form_;
    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    HWND announcer_ = nullptr;
    HWND lastFocus_ = nullptr;  // the control that had the focus when the window was last deactivated
    std::map<ControlId, HWND> controls_;
    HFONT font_ = nullptr;
    bool writingText_ = false;  // the model's own write: its EN_CHANGE is no user edit
    std::function<void(WPARAM)> charWatcher_;
    UINT fieldKey_ = 0;  // the last key pressed in the field, which any WM_CHAR that follows comes from
};

}  // namespace velbarino::win32
