#include "main_window.h"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>

#include "accessible_name.h"
#include "colour.h"
#include "key_ascii.h"
#include "text.h"
#include "texts.h"

namespace velbarino::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"VelbarinoWindow";
constexpr int kFirstControlId = 100;  // a control's id: kFirstControlId + its ControlId
constexpr int kFirstMenuId = 200;     // a menu item's id: kFirstMenuId + its MenuId
constexpr int kCopyCommand = 1;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;  // fixed size, no maximize

int scaled(int twips, UINT dpi) { return pixelsOf(twips, static_cast<int>(dpi)); }

COLORREF colourRef(Rgb c) { return RGB(c.red, c.green, c.blue); }
Rgb rgbOf(COLORREF c) { return {GetRValue(c), GetGValue(c), GetBValue(c)}; }

}  // namespace

MainWindow::MainWindow(MainWindowState& state, Frm_Ean& form, HINSTANCE instance)
    : state_(state), form_(form), instance_(instance) {
    create();
    state_.setObserver(this);
}

MainWindow::~MainWindow() {
    state_.setObserver(nullptr);
    if (hwnd_ != nullptr) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    if (font_ != nullptr) DeleteObject(font_);
}

void MainWindow::create() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance_;
    windowClass.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    // A second window registers the class again, which fails harmlessly.
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return;

    HMENU bar = CreateMenu();
    for (const MenuEntry& top : state_.menus()) {
        HMENU popup = CreatePopupMenu();
        for (const MenuEntry& item : top.items) {
            AppendMenuW(popup, MF_STRING, kFirstMenuId + static_cast<int>(item.id), toWide(item.Caption).c_str());
        }
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), toWide(top.Caption).c_str());
    }
    // WM_NCCREATE sets hwnd_; without a window there is nothing to put controls in.
    if (CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, toWide(state_.form().Caption).c_str(), kStyle, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, bar, instance_, this) == nullptr) {
        DestroyMenu(bar);
        hwnd_ = nullptr;
        return;
    }

    const auto child = [this](ControlId id, const wchar_t* windowClass, DWORD style, DWORD exStyle = 0) {
        HWND hwnd = CreateWindowExW(exStyle, windowClass, L"", WS_CHILD | style, 0, 0, 0, 0, hwnd_,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + static_cast<int>(id))),
                                    instance_, nullptr);
        controls_[id] = hwnd;
        return hwnd;
    };
    // Creation order is the tab order of dialog navigation, and Windows names
    // a control after the static text created just before it: each caption
    // comes right before the control it names (labels are no tab stops).
    std::vector<ControlId> order;
    for (ControlId id : state_.tabStops()) {
        if (const std::optional<ControlId> label = nameLabelOf(id)) order.push_back(*label);
        order.push_back(id);
    }
    for (ControlId id : kLabelIds) {
        if (std::find(order.begin(), order.end(), id) == order.end()) order.push_back(id);
    }
    for (ControlId id : order) {
        switch (id) {
            case ControlId::Cmb_Ean: child(id, WC_COMBOBOXW, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST); break;
            case ControlId::Txt_Ean:
                child(id, WC_EDITW, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
                break;
            case ControlId::Cmd_Calcola: child(id, WC_BUTTONW, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON); break;
            default:
                child(id, WC_STATICW, SS_LEFT | SS_NOTIFY | (state_.label(id).fixedSingleBorder ? WS_BORDER : 0));
                renderLabel(id);
                break;
        }
    }
    announcer_ = CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd_, nullptr, instance_, nullptr);

    HWND field = controls_.at(ControlId::Txt_Ean);
    SetWindowSubclass(field, fieldProc, 1, reinterpret_cast<DWORD_PTR>(this));
    ImmAssociateContextEx(field, nullptr, 0);  // no input method: every character is a WM_CHAR the filter sees
    SetWindowTextW(controls_.at(ControlId::Cmd_Calcola), toWide(state_.Cmd_Calcola().Caption).c_str());
    giveAccessibleName(controls_.at(ControlId::Cmd_Calcola), std::u16string(texts::kButtonName));  // "..." says nothing
    renderItems();

    HWND tips = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, hwnd_, nullptr,
                                instance_, nullptr);
    const auto tip = [&](ControlId id, const std::u16string& text) {
        std::wstring wide = toWide(text);
        TOOLINFOW info{};
        info.cbSize = sizeof info;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = hwnd_;
        info.uId = reinterpret_cast<UINT_PTR>(controls_.at(id));
        info.lpszText = wide.data();
        SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    };
    tip(ControlId::Cmb_Ean, state_.Cmb_Ean().toolTip);
    tip(ControlId::Txt_Ean, state_.Txt_Ean().toolTip);

    layout(GetDpiForWindow(hwnd_));
}

void MainWindow::layout(UINT dpi) {
    // The old font is deleted only once no control holds it any more: a
    // control that painted in between would draw with a deleted object.
    HFONT const old = font_;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    font_ = CreateFontIndirectW(&metrics.lfMessageFont);

    const auto place = [&](ControlId id, const Geometry& g, int extraHeight = 0) {
        HWND hwnd = controls_.at(id);
        MoveWindow(hwnd, scaled(g.left, dpi), scaled(g.top, dpi), scaled(g.width, dpi),
                   scaled(g.height, dpi) + extraHeight, FALSE);
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    };
    for (ControlId id : kLabelIds) place(id, state_.label(id).geometry);
    place(ControlId::Cmb_Ean, state_.Cmb_Ean().geometry, scaled(1800, dpi));  // plus its open list
    // Windows makes a closed list as tall as its selection field and its
    // frame, the field as tall as the font asks: a pixel short of the design's
    // box at 96 dpi. The field's height is sought that gives the box's.
    HWND const list = controls_.at(ControlId::Cmb_Ean);
    const auto closedHeight = [list] {
        RECT closed{};
        GetWindowRect(list, &closed);
        return closed.bottom - closed.top;
    };
    const LONG wanted = scaled(state_.Cmb_Ean().geometry.height, dpi);
    const auto fontHeight = SendMessageW(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (LRESULT field = fontHeight - 8; field <= fontHeight + 8 && closedHeight() != wanted; ++field) {
        SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
    if (closedHeight() != wanted) SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), fontHeight);
    place(ControlId::Txt_Ean, state_.Txt_Ean().geometry);
    place(ControlId::Cmd_Calcola, state_.Cmd_Calcola().geometry);

    RECT frame{0, 0, scaled(state_.form().clientWidth, dpi), scaled(state_.form().clientHeight, dpi)};
    AdjustWindowRectExForDpi(&frame, kStyle, TRUE, WS_EX_CONTROLPARENT, dpi);
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, TRUE);
    if (old != nullptr) DeleteObject(old);
}

void MainWindow::showCentred(int showCommand) {
    RECT window{};
    GetWindowRect(hwnd_, &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
    const std::vector<ControlId> stops = state_.tabStops();
    if (!stops.empty()) SetFocus(controls_.at(stops.front()));
}

bool MainWindow::preTranslate(MSG& message) { return IsDialogMessageW(hwnd_, &message) != FALSE; }

LRESULT CALLBACK MainWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self != nullptr ? self->handle(message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: command(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return 0;
        case WM_CTLCOLORSTATIC: return colourLabel(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wParam) == controls_.at(ControlId::LabEsatto)) {
                showCodeMenu({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
                return 0;
            }
            break;
        case WM_CLOSE: {
            bool cancel = false;
            form_.Form_QueryUnload(cancel, 0);
            if (!cancel) DestroyWindow(hwnd_);
            return 0;
        }
        case WM_DPICHANGED: {
            layout(HIWORD(wParam));
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            return 0;
        }
        // As a dialog does: the control that had the focus gets it back when the
        // window is active again (after a message box, or from another program),
        // not the window itself, where the keys would go nowhere.
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focused = GetFocus();
                if (focused != nullptr && IsChild(hwnd_, focused)) lastFocus_ = focused;
            } else if (HIWORD(wParam) == 0) {  // not minimised
                const std::vector<ControlId> stops = state_.tabStops();
                HWND target = lastFocus_ != nullptr && IsWindow(lastFocus_) ? lastFocus_ : stops.empty() ? nullptr : controls_.at(stops.front());
                if (target != nullptr) SetFocus(target);
            }
            return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void MainWindow::command(int id, int code, HWND from) {
    if (from == nullptr) {  // a menu item
        if (id >= kFirstMenuId) form_.Menu_Click(static_cast<MenuId>(id - kFirstMenuId));
        return;
    }
    switch (static_cast<ControlId>(id - kFirstControlId)) {
        case ControlId::Cmb_Ean:
            // Every pick raises CBN_SELENDOK exactly once: an arrow on the
            // closed list (then CBN_SELCHANGE), Enter on the open list (after
            // one CBN_SELCHANGE per move) and the mouse (then CBN_CLOSEUP and
            // CBN_SELCHANGE), the same entry again included. CBN_SELCHANGE
            // would run the pick twice, or once per move.
            if (code == CBN_SELENDOK) {
                const auto index = static_cast<std::int16_t>(SendMessageW(from, CB_GETCURSEL, 0, 0));
                if (index >= 0) form_.entryPicked(index);
            }
            // Closed without a pick, the box keeps the entry last marked; it
            // shows the action in effect again.
            if (code == CBN_SELENDCANCEL) listIndexChanged();
            break;
        case ControlId::Txt_Ean:
            if (code == EN_CHANGE && !writingText_) form_.fieldEdited(windowText(from));
            break;
        case ControlId::Cmd_Calcola:
            if (code == BN_CLICKED) form_.Cmd_Calcola_Click();
            break;
        case ControlId::LabEsatto:
            if (code == STN_DBLCLK) form_.LabEsatto_DblClick();
            break;
        default: break;
    }
}

LRESULT CALLBACK MainWindow::fieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self) {
    return reinterpret_cast<MainWindow*>(self)->handleField(hwnd, message, wParam, lParam);
}

namespace {

// Whether the control character that key @p vk just gave is one: a key of
// its own (Backspace, Enter, Escape), or Ctrl with a letter's key (by its
// place, whatever the layout types) or a key that types @ [ \ ] ^ _.
bool carriesControlCode(UINT vk) {
    if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return true;  // no chord; Ctrl with Alt is AltGr
    if (vk == VK_BACK || vk == VK_RETURN || vk == VK_ESCAPE || (vk >= 'A' && vk <= 'Z')) return true;
    BYTE state[256] = {};
    if (!GetKeyboardState(state)) return false;
    state[VK_CONTROL] = state[VK_LCONTROL] = state[VK_RCONTROL] = 0;
    wchar_t typed[4] = {};
    constexpr UINT kKeepKeyboardState = 0x4;  // Windows 10 1607: no dead key is used up
    const int count = ToUnicodeEx(vk, MapVirtualKeyW(vk, MAPVK_VK_TO_VSC), state, typed, 4, kKeepKeyboardState, GetKeyboardLayout(0));
    return count == 1 && keys::controlCode(typed[0]).has_value();
}

}  // namespace

// The EDIT control acts on WM_CHAR codes, Ctrl+C, Ctrl+V, Ctrl+X and Ctrl+Z
// included: the key filter sees each one first.
LRESULT MainWindow::handleField(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN: fieldKey_ = static_cast<UINT>(wParam); break;
        case WM_CHAR: {
            // Windows gives Ctrl+- and Ctrl+6 codes of their own (31, 30): a
            // chord that carries none by the shared rule goes nowhere.
            if (wParam < keys::FirstPrintable && !carriesControlCode(fieldKey_)) return 0;
            auto code = static_cast<std::int16_t>(wParam);
            form_.Txt_Ean_KeyPress(code);
            if (code == keys::Dropped || code == keys::Enter) return 0;  // refused; Enter has run and would only beep
            const auto passed = static_cast<WPARAM>(static_cast<std::uint16_t>(code));
            if (charWatcher_) charWatcher_(passed);
            return DefSubclassProc(field, message, passed, lParam);
        }
        case WM_GETDLGCODE: {
            // Enter and Escape belong to the field's key filter, not to dialog navigation.
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            const LRESULT wanted = DefSubclassProc(field, message, wParam, lParam);
            if (msg != nullptr && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
                return wanted | DLGC_WANTALLKEYS;
            }
            return wanted;
        }
        case WM_LBUTTONDBLCLK: {
            const LRESULT result = DefSubclassProc(field, message, wParam, lParam);  // the field's own word selection first
            form_.Txt_Ean_DblClick();
            return result;
        }
        case WM_NCDESTROY: RemoveWindowSubclass(field, fieldProc, 1); break;
        default: break;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

LRESULT MainWindow::colourLabel(HDC dc, HWND label) {
    const auto id = static_cast<ControlId>(GetDlgCtrlID(label) - kFirstControlId);
    const bool ours = std::find(kLabelIds.begin(), kLabelIds.end(), id) != kLabelIds.end();  // not the announcer
    const LabelColours colours = labelColours(ours ? state_.label(id).BackColor : std::nullopt,
                                              {rgbOf(GetSysColor(COLOR_BTNFACE)), rgbOf(GetSysColor(COLOR_BTNTEXT)),
                                               rgbOf(GetSysColor(COLOR_WINDOWTEXT))});
    const COLORREF back = colourRef(colours.back);
    SetTextColor(dc, colourRef(colours.text));
    SetBkColor(dc, back);
    SetDCBrushColor(dc, back);
    return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

void MainWindow::showCodeMenu(POINT at) {
    if (at.x == -1 && at.y == -1) {  // from the keyboard: under the box
        RECT box{};
        GetWindowRect(controls_.at(ControlId::LabEsatto), &box);
        at = {box.left, box.bottom};
    }
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return;
    const bool hasCode = form_.codeInLabEsatto().has_value();
    AppendMenuW(menu, MF_STRING | (hasCode ? 0u : MF_GRAYED), kCopyCommand, toWide(texts::kCopia).c_str());
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
    DestroyMenu(menu);
    if (chosen == kCopyCommand) form_.Copia_Click();
}

void MainWindow::labelChanged(ControlId label) { renderLabel(label); }
void MainWindow::itemsChanged() { renderItems(); }
void MainWindow::listIndexChanged() {
    SendMessageW(controls_.at(ControlId::Cmb_Ean), CB_SETCURSEL, static_cast<WPARAM>(state_.Cmb_Ean().ListIndex), 0);
}
void MainWindow::textChanged() { renderText(); }
void MainWindow::selectionChanged() { renderSelection(); }

void MainWindow::renderLabel(ControlId control) {
    const auto found = controls_.find(control);
    if (found == controls_.end()) return;
    const LabelControl& model = state_.label(control);
    SetWindowTextW(found->second, toWide(model.Caption).c_str());
    ShowWindow(found->second, model.Visible ? SW_SHOWNA : SW_HIDE);
    InvalidateRect(found->second, nullptr, TRUE);  // the back colour may have changed
}

void MainWindow::renderItems() {
    HWND list = controls_.at(ControlId::Cmb_Ean);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const std::u16string& item : state_.Cmb_Ean().items) {
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(item).c_str()));
    }
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(state_.Cmb_Ean().ListIndex), 0);
}

void MainWindow::renderText() {
    HWND field = controls_.at(ControlId::Txt_Ean);
    const std::u16string& text = state_.Txt_Ean().Text;
    if (windowText(field) == text) return;
    const bool outer = writingText_;  // writes nest: the Change handler writes from inside a write
    writingText_ = true;
    SetWindowTextW(field, toWide(text).c_str());
    writingText_ = outer;
}

void MainWindow::renderSelection() {
    const TextControl& field = state_.Txt_Ean();
    SendMessageW(controls_.at(ControlId::Txt_Ean), EM_SETSEL, static_cast<WPARAM>(field.SelStart),
                 static_cast<LPARAM>(field.SelStart + field.SelLength));
}

}  // namespace velbarino::win32
