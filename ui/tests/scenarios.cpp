#include "scenarios.h"

#include <nlohmann/json.hpp>

#include <array>
#include <codecvt>
#include <locale>
#include <stdexcept>

// ui/tests/scenarios.json, compiled in (scenarios_data.cpp).
extern const char kScenariosJson[];

namespace velbarino::scenarios {
namespace {

using nlohmann::json;

constexpr std::array<const char*, 18> kActs = {"Type", "CtrlV", "MenuPaste", "Pick", "Button", "DoubleClickField",
                                               "DoubleClickCode", "Copia", "Menu", "CloseRequest", "OpenList",
                                               "ClickOutside", "ClickPick", "Delete", "Cut", "Drop", "Key", "Chord"};

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
