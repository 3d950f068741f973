#include "web_platform.h"

#include <emscripten.h>

#include "texts.h"

namespace velbarino::web {
namespace {

// Shows the page's dialog, filled in already, and returns once it is closed.
EM_ASYNC_JS(void, awaitDialog, (), { await Module.openDialog(); });
EM_JS(void, ringBell, (), { Module.bell(); });
// The code is digits, read from memory as they stand; the copy may wait for
// the browser's clipboard.
EM_ASYNC_JS(int, awaitCopy, (const char* text, int length), {
    return await Module.copyText(String.fromCharCode.apply(null, HEAPU8.subarray(text, text + length))) ? 1 : 0;
});

// The camera's view (Module.scanner). Its next event: what a new frame read,
// its length and characters in @p out (ASCII: a decoder's EAN is digits,
// anything else becomes a character that the rule refuses), or the view's
// end, as the scanner's script numbers them:
constexpr int kScanClosed = -1, kCameraFailed = -2, kReaderFailed = -3;
EM_JS(void, openScanView, (), { Module.scanner.open(); });
EM_ASYNC_JS(int, awaitScanEvent, (char* out, int capacity), {
    const event = await Module.scanner.next();
    if (typeof event == 'number') return event;
    const length = Math.min(event.length, capacity);
    for (let i = 0; i < length; i++) HEAPU8[out + i] = event.charCodeAt(i) < 128 ? event.charCodeAt(i) : 63;
    return length;
});
EM_JS(void, closeScanView, (int read), { Module.scanner.close(read); });

// The dialogs join the page when the first opens; their captions then.
EM_JS(int, jsPlaceDialogs, (), { return Module.placeDialogs() ? 1 : 0; });

void placeDialogs() {
    if (!jsPlaceDialogs()) return;
    setProperty("MessageBoxOk", "textContent", texts::kOk);
    setProperty("ScanHint", "textContent", texts::kScanHint);
    setProperty("ScanCancel", "textContent", texts::kScanCancel);
    setProperty("ScanTorch", "textContent", texts::kTorch);
    setProperty("ScanNext", "textContent", texts::kNextCamera);
}

const char* iconClass(std::int32_t style) {
    switch (messageIcon(style)) {
        case MessageIcon::Error: return "icon error";
        case MessageIcon::Warning: return "icon warning";
        case MessageIcon::Information: return "icon information";
        case MessageIcon::None: break;
    }
    return "icon";
}

// A box's lines are separated by lone carriage returns.
std::u16string withLineBreaks(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) {
        if (c == u'\r') c = u'\n';
    }
    return out;
}

}  // namespace

WebPlatform::WebPlatform(AppInfo info, EndProcess endProcess) : info_(std::move(info)), endProcess_(std::move(endProcess)) {}

// A page is always in front of its own dialog, so the foreground request needs nothing more.
void WebPlatform::messageBox(std::u16string_view text, std::u16string_view title, std::int32_t style) {
    placeDialogs();
    setProperty("MessageBoxTitle", "textContent", title);
    setProperty("MessageBoxText", "textContent", withLineBreaks(text));
    setProperty("MessageBoxIcon", "className", std::string(iconClass(style)));
    awaitDialog();
}

void WebPlatform::setFocus(ControlId control) {
    const auto found = controlIds_.find(control);
    if (found != controlIds_.end()) byId(found->second).call<void>("focus");
}

// A live region speaks when its text changes: the same text again gets a
// silent no-break space, so that it is heard again.
void WebPlatform::announce(std::u16string_view text) {
    if (text.empty()) return;
    val region = byId("Announcer");
    val spoken = toJs(text);
    if (region["textContent"].strictlyEquals(spoken)) spoken = toJs(std::u16string(text) + u"\u00A0");
    region.set("textContent", spoken);
}

void WebPlatform::beep() { ringBell(); }

void WebPlatform::openScanner() {
    placeDialogs();
    openScanView();
}

ScanEvent WebPlatform::nextScanEvent() {
    char code[32];
    const int length = awaitScanEvent(code, sizeof code);
    if (length == kCameraFailed) return {ScanEvent::CameraFailed, {}};
    if (length == kReaderFailed) return {ScanEvent::ReaderFailed, {}};
    if (length <= kScanClosed) return {ScanEvent::Closed, {}};  // closed, or an end not known here
    return {ScanEvent::Frame, std::u16string(code, code + length)};
}

void WebPlatform::closeScanner(bool read) { closeScanView(read ? 1 : 0); }

bool WebPlatform::copyText(std::u16string_view text) {
    std::string narrow;
    for (char16_t c : text) {
        if (c > 0x7F) return false;  // only codes are copied, and they are digits
        narrow += static_cast<char>(c);
    }
    return awaitCopy(narrow.c_str(), static_cast<int>(narrow.size())) != 0;
}

}  // namespace velbarino::web
