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
    if (what == "field") return text(driver.fieldText());
    if (what == "selection") return driver.fieldSelection();
    if (what == "lengthCaption") return text(driver.label(ControlId::Lab_Desc1));
    if (what == "results") {
        return {text(driver.label(ControlId::Lab_Desc2)), text(driver.label(ControlId::LabRisultato)),
                text(driver.label(ControlId::Lab_Desc3)), text(driver.label(ControlId::LabEsatto))};
    }
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
    if (what == "chrome") return driver.chrome();
    throw std::invalid_argument("not a part the scenarios check: " + what);
}

// Where the window as read differs from what the model says it must show,
// the first difference; empty when they agree. The focus, which the model
// leaves to the platform, must be on a control that takes it.
std::string windowDifference(const json& read, const json& model) {
    if (read["focus"].is_string() && std::find(model["tabOrder"].begin(), model["tabOrder"].end(), read["focus"]) == model["tabOrder"].end()) {
        return "the focus on " + read["focus"].dump() + ", which takes none";
    }
    for (const auto& [name, expected] : model["controls"].items()) {
        json shown = read["controls"][name];
        if (shown.contains("text") && shown["text"].is_null()) shown["text"] = expected["text"];  // not readable at this moment
        if (shown != expected) return name + ": " + shown.dump() + ", expected " + expected.dump();
    }
    for (const char* part : {"tabOrder", "entries"}) {
        if (read[part] != model[part]) return std::string(part) + ": " + read[part].dump() + ", expected " + model[part].dump();
    }
    return {};
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
    // The whole window, at the start and after every step.
    for (std::size_t i = 0; i <= scenario.steps.size(); ++i) {
        if (i > 0) driver.perform(scenario.steps[i - 1]);
        json read = driver.wholeWindow();
        if (read.is_null() || !outcome.differences.empty()) continue;
        read["focus"] = seen(driver, "focus");
        const std::string difference = windowDifference(read, json::parse(toJson(windowView(driver.model()))));
        if (!difference.empty()) {
            outcome.differences.push_back((i == 0 ? std::string("at the start") : "after step " + std::to_string(i) + " (" +
                                          kActs[static_cast<std::size_t>(scenario.steps[i - 1].act)] + ")") + ", the window: " + difference);
        }
    }
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
