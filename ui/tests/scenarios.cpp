#include "scenarios.h"

#include <nlohmann/json.hpp>

#include <array>
#include <stdexcept>

// ui/tests/scenarios.json, compiled in (scenarios_data.cpp).
extern const char kScenariosJson[];

namespace velbarino::scenarios {
namespace {

using nlohmann::json;

constexpr std::array<const char*, 17> kActs = {"Type", "CtrlV", "MenuPaste", "Pick", "Button", "DoubleClickField",
                                               "DoubleClickCode", "Copia", "Menu", "CloseRequest", "OpenList",
                                               "ClickOutside", "ClickPick", "Delete", "Cut", "Drop", "Key"};
constexpr std::array<const char*, 4> kIcons = {"None", "Error", "Warning", "Information"};

std::u16string u16(const std::string& utf8) {
    std::u16string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const int extra = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
        char32_t point = byte & (0x7F >> extra);
        for (int k = 1; k <= extra; ++k) point = (point << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += static_cast<std::size_t>(extra) + 1;
        if (point > 0xFFFF) {
            out += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
            point = 0xDC00 + ((point - 0x10000) & 0x3FF);
        }
        out += static_cast<char16_t>(point);
    }
    return out;
}

std::string utf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
        } else if (c < 0x10000) {
            out += {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                    static_cast<char>(0x80 | (c & 0x3F))};
        } else {
            out += {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
                    static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
        }
    }
    return out;
}

json text(const std::optional<std::u16string>& value) { return value ? json(utf8(*value)) : json(nullptr); }
json texts(const std::vector<std::u16string>& values) {
    json out = json::array();
    for (const auto& value : values) out.push_back(utf8(value));
    return out;
}

template <std::size_t N>
int indexOf(const std::array<const char*, N>& names, const std::string& name) {
    for (std::size_t i = 0; i < N; ++i) {
        if (name == names[i]) return static_cast<int>(i);
    }
    throw std::invalid_argument("not a name the scenarios know: " + name);
}

// The window as the driver reads it, in the form of the row's expectation.
json seen(Driver& driver, const std::string& what) {
    if (what == "field") return text(driver.fieldText());
    if (what == "selection") return {driver.fieldSelection().start, driver.fieldSelection().length};
    if (what == "lengthCaption") return text(driver.label(ControlId::Lab_Desc1));
    if (what == "results") {
        return {text(driver.label(ControlId::Lab_Desc2)), text(driver.label(ControlId::LabRisultato)),
                text(driver.label(ControlId::Lab_Desc3)), text(driver.label(ControlId::LabEsatto))};
    }
    if (what == "focus") return driver.focus() ? json(controlName(*driver.focus())) : json(nullptr);
    if (what == "names") return texts({driver.names().list, driver.names().field, driver.names().button});
    if (what == "heard") return texts(driver.heard());
    if (what == "bells") return driver.bells();
    if (what == "clipboard") return text(driver.clipboard());
    if (what == "endRequests") return driver.endRequests();
    if (what == "listOpen") return driver.listOpen();
    if (what == "enterReachedField") return driver.enterReachedField();
    if (what == "copiaEnabled") return driver.copiaEnabled();
    if (what == "boxes") {
        json boxes = json::array();
        for (const Box& box : driver.boxes()) {
            boxes.push_back({utf8(box.text), utf8(box.title), kIcons[static_cast<std::size_t>(box.icon)], utf8(box.fieldBehind)});
        }
        return boxes;
    }
    if (what == "chrome") {
        const Chrome chrome = driver.chrome();
        json menus = json::array();
        for (const MenuSeen& menu : chrome.menus) menus.push_back({utf8(menu.caption), texts(menu.items)});
        return {{"title", utf8(chrome.title)}, {"entries", texts(chrome.entries)},
                {"listCaption", utf8(chrome.listCaption)}, {"buttonCaption", utf8(chrome.buttonCaption)},
                {"toolTips", texts({chrome.listToolTip, chrome.fieldToolTip})}, {"menus", menus}};
    }
    throw std::invalid_argument("not a part the scenarios check: " + what);
}

std::vector<Scenario> table() {
    std::vector<Scenario> rows;
    for (const json& row : json::parse(kScenariosJson)) {
        Scenario scenario{row["name"], {}, row["expect"].dump()};
        for (const json& step : row["steps"]) {
            const auto act = static_cast<Act>(indexOf(kActs, step[0]));
            const bool byNumber = numbered(act);
            scenario.steps.push_back({act, step.size() > 1 && !byNumber ? u16(step[1]) : u"", byNumber ? step[1].get<int>() : 0});
        }
        rows.push_back(std::move(scenario));
    }
    return rows;
}

}  // namespace

const std::vector<Scenario>& all() {
    static const std::vector<Scenario> rows = table();
    return rows;
}

Outcome run(const Scenario& scenario, Driver& driver) {
    Outcome outcome;
    for (const Step& step : scenario.steps) {
        if (const auto reason = driver.cannotDo(step.act)) {
            outcome.notChecked.push_back(std::string("the whole row, for its step ") + kActs[static_cast<std::size_t>(step.act)] +
                                         ": " + *reason);
            return outcome;
        }
    }
    for (const Step& step : scenario.steps) driver.perform(step);
    json expect = json::parse(scenario.expect);
    expect.emplace("boxes", json::array());
    expect.emplace("endRequests", 0);
    for (auto& [what, expected] : expect.items()) {
        json read = seen(driver, what);
        if (what == "names") {
            if (const auto reason = driver.cannotShow("the list's accessible name")) {
                outcome.notChecked.push_back("the list's accessible name: " + *reason);
                read[0] = expected[0];
            }
        }
        if (read != expected) outcome.differences.push_back(what + ": " + read.dump() + ", expected " + expected.dump());
    }
    return outcome;
}

}  // namespace velbarino::scenarios
