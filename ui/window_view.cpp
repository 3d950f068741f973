#include "window_view.h"

#include <initializer_list>

namespace velbarino {
namespace {

Geometry pixels(const Geometry& twips) {
    return {pixelsOf(twips.left), pixelsOf(twips.top), pixelsOf(twips.width), pixelsOf(twips.height)};
}

// Each piece is appended to the text: (GCC 12 warns wrongly, for MinGW, of a
// literal added before a temporary string.)
void appendQuoted(std::string& out, std::u16string_view text) {
    out += '"';
    for (const char16_t unit : text) {
        if (unit >= 0x20 && unit < 0x7F && unit != u'"' && unit != u'\\') {
            out += static_cast<char>(unit);
        } else {  // (no printf: it would add its weight to the page)
            out += "\\u";
            for (const int shift : {12, 8, 4, 0}) out += "0123456789abcdef"[(unit >> shift) & 0xF];
        }
    }
    out += '"';
}

void appendQuoted(std::string& out, const char* ascii) {
    out += '"';
    out += ascii;
    out += '"';
}

void appendNumbers(std::string& out, std::initializer_list<int> numbers) {
    const char* comma = "";
    for (const int number : numbers) {
        out += comma;
        out += std::to_string(number);
        comma = ",";
    }
}

const char* borderName(Border border) {
    switch (border) {
        case Border::Sunken: return "sunken";
        case Border::Raised: return "raised";
        default: return "none";
    }
}

}  // namespace

WindowView windowView(const MainWindowState& state) {
    WindowView view;
    view.title = state.form().Caption;
    for (const MenuEntry& top : state.menus()) {
        MenuView& menu = view.menus.emplace_back(MenuView{top.Caption, {}});
        for (const MenuEntry& item : top.items) menu.items.push_back(item.Caption);
    }
    view.width = pixelsOf(state.form().clientWidth);
    view.height = pixelsOf(state.form().clientHeight);
    for (const ControlId id : kLabelIds) {
        const LabelControl& label = state.label(id);
        view.controls.push_back({id, label.Visible, label.Caption, pixels(label.geometry),
                                 label.fixedSingleBorder ? Border::Sunken : Border::None});
    }
    const ComboControl& list = state.Cmb_Ean();
    const bool picked = list.ListIndex >= 0 && static_cast<std::size_t>(list.ListIndex) < list.items.size();
    view.controls.push_back({ControlId::Cmb_Ean, true, picked ? list.items[static_cast<std::size_t>(list.ListIndex)] : u"",
                             pixels(list.geometry), Border::Raised});
    view.controls.push_back({ControlId::Txt_Ean, true, state.Txt_Ean().Text, pixels(state.Txt_Ean().geometry), Border::Sunken});
    view.controls.push_back({ControlId::Cmd_Calcola, true, state.Cmd_Calcola().Caption, pixels(state.Cmd_Calcola().geometry),
                             Border::Raised});
    view.tabOrder = state.tabStops();
    view.entries = list.items;
    return view;
}

std::string toJson(const WindowView& view) {
    std::string out = "{\"title\":";
    appendQuoted(out, view.title);
    out += ",\"client\":[";
    appendNumbers(out, {view.width, view.height});
    out += "],\"menus\":[";
    const char* comma = "";
    for (const MenuView& menu : view.menus) {
        out += comma;
        out += "{\"text\":";
        appendQuoted(out, menu.text);
        out += ",\"items\":[";
        const char* between = "";
        for (const std::u16string& item : menu.items) {
            out += between;
            out += "{\"text\":";
            appendQuoted(out, item);
            out += ",\"enabled\":true}";
            between = ",";
        }
        out += "]}";
        comma = ",";
    }
    out += "],\"controls\":{";
    comma = "";
    for (const ControlView& control : view.controls) {
        out += comma;
        appendQuoted(out, controlName(control.id));
        out += control.shown ? ":{\"shown\":true,\"text\":" : ":{\"shown\":false";
        if (control.shown) {
            appendQuoted(out, control.text);
            out += ",\"place\":[";
            appendNumbers(out, {control.place.left, control.place.top, control.place.width, control.place.height});
            out += "],\"border\":";
            appendQuoted(out, borderName(control.border));
        }
        out += "}";
        comma = ",";
    }
    out += "},\"tabOrder\":[";
    comma = "";
    for (const ControlId id : view.tabOrder) {
        out += comma;
        appendQuoted(out, controlName(id));
        comma = ",";
    }
    out += "],\"entries\":[";
    comma = "";
    for (const std::u16string& entry : view.entries) {
        out += comma;
        appendQuoted(out, entry);
        comma = ",";
    }
    out += "]}";
    return out;
}

}  // namespace velbarino
