#include <nlohmann/json.hpp>

#include "scenarios.h"
#include "window_fixture.h"
#include "window_view.h"

namespace velbarino {
namespace {

using nlohmann::json;
using WholeWindow = WindowTest;

// The one comparer every binding's reading goes through: a window read as
// the model says passes, a popup holding the focus or a text the platform
// cannot read at that moment too; each kind of difference fails.
TEST_F(WholeWindow, eachKindOfDifferenceFromTheModelFails) {
    const json model = json::parse(toJson(windowView(state)));
    json same = model;
    same["focus"] = "Cmb_Ean";
    const auto with = [&](auto change) {
        json read = same;
        change(read);
        return scenarios::windowDifference(read, model);
    };
    EXPECT_EQ(with([](json&) {}), "");
    EXPECT_EQ(with([](json& r) { r["focus"] = nullptr, r["popupFocus"] = true; }), "");
    EXPECT_EQ(with([](json& r) { r["controls"]["Cmb_Ean"]["text"] = nullptr; }), "");
    EXPECT_EQ(with([](json& r) { r["openMenu"] = r["menus"][1]; }), "");
    const std::vector<std::pair<const char*, std::function<void(json&)>>> faults = {
        {"a caption", [](json& r) { r["controls"]["Lab_Desc0"]["text"] = "Azion"; }},
        {"a place", [](json& r) { r["controls"]["Txt_Ean"]["place"][0] = 17; }},
        {"a border", [](json& r) { r["controls"]["Cmd_Calcola"]["border"] = "none"; }},
        {"a hidden control shown", [](json& r) { r["controls"]["Lab_Desc2"] = r["controls"]["Lab_Desc0"]; }},
        {"a control covered", [](json& r) { r["controls"]["Txt_Ean"]["coveredBy"] = "Lab_Desc1"; }},
        {"a menu item's text", [](json& r) { r["menus"][0]["items"][0]["text"] = "Fine programma"; }},
        {"an open menu", [](json& r) { r["openMenu"] = {{"text", "&?"}, {"items", json::array()}}; }},
        {"the title", [](json& r) { r["title"] = "Velbarino - EAN"; }},
        {"the client area", [](json& r) { r["client"][1] = r["client"][1].get<int>() + 1; }},
        {"the tab order", [](json& r) { std::swap(r["tabOrder"][0], r["tabOrder"][1]); }},
        {"the list's entries", [](json& r) { r["entries"].erase(3); }},
        {"the focus on a caption", [](json& r) { r["focus"] = "Lab_Desc0"; }},
        {"the focus nowhere", [](json& r) { r["focus"] = nullptr; }},
        {"a popup away from its opener", [](json& r) { r["misplaced"] = {"CodeMenu"}; }},
    };
    for (const auto& [fault, change] : faults) EXPECT_NE(with(change), "") << fault;
}

}  // namespace
}  // namespace velbarino
