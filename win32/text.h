// The logic speaks UTF-16 std::u16string and so does Windows (wchar_t is 16
// bits there): conversion copies code units unchanged.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace velbarino::win32 {

inline std::wstring toWide(std::u16string_view text) { return {text.begin(), text.end()}; }

inline std::u16string fromWide(std::wstring_view text) { return {text.begin(), text.end()}; }

/// The text of a window or control.
inline std::u16string windowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return fromWide(text);
}

}  // namespace velbarino::win32
