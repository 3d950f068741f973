#include "scenarios.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <codecvt>
#include <locale>
#include <stdexcept>

#include "window_view.h"

// ui/tests/scenarios.json, compiled in (scenarios_data.cpp).
extern const char kScenariosJson[];

namespace velbarino::scenarios {
namespace {

using nlohmann::json;

constexpr std::array<const char*, 19> kActs = {"Type", "CtrlV", "MenuPaste", "Pick", "Button", "DoubleClickField",
                                               "DoubleClickCode", "Copia", "Menu", "CloseRequest", "OpenList",
                                               "ClickOutside", "ClickPick", "Delete", "Cut", "Drop", "Key", "Chord",
                                               "Scan"};

// The table is UTF-8, the window UTF-16. (Deprecated, but kept by every
// standard library these tests are built with, and only tests use it.)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
std::u16string u16(const std::string& utf8) { return std::wstring_convert<std::codecvt_utf8_utf16<char16_t>, char16_t>().from_bytes(utf8); }
#pragma GCC diagnostic pop

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
    // The field's text, and a caption or null while it is hidden, as the whole window reads them (once).
    json window;
    const auto shown = [&](const char* name) { const json c = (window.is_null() ? window = driver.wholeWindow() : window)["controls"][name]; return c["shown"] ? c["text"] : json(); };
    if (what == "field") return shown("Txt_Ean");
    if (what == "selection") return driver.fieldSelection();
    if (what == "lengthCaption") return shown("Lab_Desc1");
    if (what == "results") return {shown("Lab_Desc2"), shown("LabRisultato"), shown("Lab_Desc3"), shown("LabEsatto")};
    if (what == "focus") return driver.focus() ? json(controlName(*driver.focus())) : json(nullptr);
    if (what == "names") return driver.names();
    if (what == "heard") return texts(driver.heard());
    if (what == "bells") return driver.bells();
    if (what == "clipboard") return text(driver.clipboard());
    if (what == "endRequests") return driver.endRequests();
    if (what == "listOpen") return driver.listOpen();
    if (what == "enterReachedField") return driver.enterReachedField();
    if (what == "copiaEnabled") return driver.copiaEnabled();
    if (what == "boxes") return driver.boxes();
    if (what == "toolTips") return driver.toolTips();
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

json part(const json& object, const char* key) { return object.is_object() ? object.value(key, json()) : json(); }

// @p read with only what @p expected names, object within object.
json projected(const json& read, const json& expected) {
    if (!read.is_object() || !expected.is_object()) return read;
    json out = json::object();
    for (const auto& [key, value] : expected.items()) out[key] = projected(part(read, key.c_str()), value);
    return out;
}

std::string differs(const std::string& what, const json& seen, const json& expected) {
    return what + ": " + seen.dump() + ", expected " + expected.dump();
}

}  // namespace

std::string windowDifference(const json& read, const json& model) {
    const json focus = part(read, "focus"), stops = part(model, "tabOrder");
    if (focus.is_null() && part(read, "popupFocus") != json(true)) return "the focus is nowhere, and no popup holds it";
    if (!focus.is_null() && std::find(stops.begin(), stops.end(), focus) == stops.end()) return "the focus on " + focus.dump() + ", which takes none";
    for (const char* what : {"title", "client", "menus"}) {
        if (part(read, what) != part(model, what)) return differs(what, part(read, what), part(model, what));
    }
    if (const json open = part(read, "openMenu"); !open.is_null()) {
        const json menus = part(model, "menus");
        const auto menu = std::find_if(menus.begin(), menus.end(), [&](const json& m) { return m["text"] == part(open, "text"); });
        if (menu == menus.end() || *menu != open) return differs("the open menu", open, menu == menus.end() ? json() : *menu);
    }
    const json controls = part(model, "controls"), readControls = part(read, "controls");
    for (const auto& [name, expected] : controls.items()) {
        json shown = part(readControls, name.c_str());
        if (shown.contains("text") && shown["text"].is_null()) shown["text"] = expected["text"];  // not readable at this moment
        if (shown != expected) return differs(name, shown, expected);
    }
    for (const char* what : {"tabOrder", "entries"}) {
        if (part(read, what) != part(model, what)) return differs(what, part(read, what), part(model, what));
    }
    const json misplaced = part(read, "misplaced");
    if (misplaced.is_array() && !misplaced.empty()) return misplaced[0].dump() + " is not where it opens";
    return {};
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
std::string utf8(std::u16string_view text) {
    return std::wstring_convert<std::codecvt_utf8_utf16<char16_t>, char16_t>().to_bytes(text.data(), text.data() + text.size());
}
#pragma GCC diagnostic pop

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
    // The whole window, at the start, after every step and wherever a step observes it.
    std::string moment = "at the start";
    json focusTrail = json::array();
    const auto compare = [&](const std::string& when) {
        if (!outcome.differences.empty()) return;
        json read = driver.wholeWindow();
        read["focus"] = seen(driver, "focus");
        const std::string difference = windowDifference(read, json::parse(toJson(windowView(driver.model()))));
        if (!difference.empty()) outcome.differences.push_back(when + ", the window: " + difference);
    };
    driver.setObserver([&](const char* during) { compare(moment + ", " + during); });
    compare(moment);
    for (std::size_t i = 0; i < scenario.steps.size(); ++i) {
        moment = "in step " + std::to_string(i + 1) + " (" + kActs[static_cast<std::size_t>(scenario.steps[i].act)] + ")";
        driver.perform(scenario.steps[i]);
        moment = "after step " + std::to_string(i + 1) + " (" + kActs[static_cast<std::size_t>(scenario.steps[i].act)] + ")";
        compare(moment);
        focusTrail.push_back(seen(driver, "focus"));
    }
    driver.setObserver({});
    json expect = json::parse(scenario.expect);
    expect.emplace("boxes", json::array());
    expect.emplace("endRequests", 0);
    for (auto& [what, expected] : expect.items()) {
        json read = what == "focusTrail" ? focusTrail : what == "window" ? projected(driver.wholeWindow(), expected) : seen(driver, what);
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
