#include "dom.h"

#include <emscripten.h>

namespace velbarino::web {
namespace {

// Names are ASCII, read with UTF8ToString; texts go as UTF-16 code units from
// memory, read by Module.utf16 (the page's glue).
EM_JS(void, jsCreate, (const char* tag, const char* parent, const char* id, const char* className), {
    const element = document.createElement(UTF8ToString(tag));
    element.id = UTF8ToString(id);
    if (className) element.className = UTF8ToString(className);
    document.getElementById(UTF8ToString(parent)).appendChild(element);
});
EM_JS(void, jsSetText, (const char* id, const char* property, const char16_t* text, int length), {
    document.getElementById(UTF8ToString(id))[UTF8ToString(property)] = Module.utf16(text, length);
});
EM_JS(void, jsSetString, (const char* id, const char* property, const char* value), {
    document.getElementById(UTF8ToString(id))[UTF8ToString(property)] = UTF8ToString(value);
});
EM_JS(void, jsSetNumber, (const char* id, const char* property, int value, int flag), {
    document.getElementById(UTF8ToString(id))[UTF8ToString(property)] = flag ? value != 0 : value;
});
EM_JS(void, jsSetAttribute, (const char* id, const char* name, const char* value), {
    document.getElementById(UTF8ToString(id)).setAttribute(UTF8ToString(name), UTF8ToString(value));
});
EM_JS(void, jsSetAttributeText, (const char* id, const char* name, const char16_t* text, int length), {
    document.getElementById(UTF8ToString(id)).setAttribute(UTF8ToString(name), Module.utf16(text, length));
});
EM_JS(void, jsRemoveAttribute, (const char* id, const char* name), {
    document.getElementById(UTF8ToString(id)).removeAttribute(UTF8ToString(name));
});
EM_JS(void, jsSetStyle, (const char* id, const char* property, const char* value), {
    document.getElementById(UTF8ToString(id)).style[UTF8ToString(property)] = UTF8ToString(value);
});
EM_JS(void, jsPlace, (const char* id, int left, int top, int width, int height), {
    const style = document.getElementById(UTF8ToString(id)).style;
    style.left = left + 'px';
    style.top = top + 'px';
    style.width = width + 'px';
    style.height = height + 'px';
});
EM_JS(void, jsSetTitle, (const char16_t* text, int length), { document.title = Module.utf16(text, length); });

}  // namespace

// Unit for unit: embind copies a std::u16string's code units as they are.
// (Through std::wstring, UTF-32 here, a lone surrogate would swallow the
// unit after it.)
std::u16string fromJs(const val& text) { return text.as<std::u16string>(); }

// Through std::wstring, whose conversion to JavaScript splits each code point
// into its units and keeps a lone surrogate as it is; std::u16string's goes
// through a TextDecoder for long texts, which would replace one.
val toJs(std::u16string_view text) {
    std::wstring wide;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            wide += static_cast<wchar_t>(0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00));
        } else {
            wide += static_cast<wchar_t>(c);
        }
    }
    return val(wide);
}

void create(const char* tag, const char* parent, const std::string& id, const char* className) {
    jsCreate(tag, parent, id.c_str(), className);
}

void setProperty(const char* id, const char* property, std::u16string_view value) {
    jsSetText(id, property, value.data(), static_cast<int>(value.size()));
}

void setProperty(const char* id, const char* property, const std::string& value) { jsSetString(id, property, value.c_str()); }
void setNumber(const char* id, const char* property, int value) { jsSetNumber(id, property, value, 0); }
void setFlag(const char* id, const char* property, bool value) { jsSetNumber(id, property, value ? 1 : 0, 1); }
void setAttribute(const char* id, const char* name, const std::string& value) { jsSetAttribute(id, name, value.c_str()); }

void setAttribute(const char* id, const char* name, std::u16string_view value) {
    jsSetAttributeText(id, name, value.data(), static_cast<int>(value.size()));
}

void removeAttribute(const char* id, const char* name) { jsRemoveAttribute(id, name); }
void setStyle(const char* id, const char* property, const std::string& value) { jsSetStyle(id, property, value.c_str()); }
void place(const char* id, int left, int top, int width, int height) { jsPlace(id, left, top, width, height); }

void setTitle(std::u16string_view text) {
    jsSetTitle(text.data(), static_cast<int>(text.size()));
}

}  // namespace velbarino::web
