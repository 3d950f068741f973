// A platform that records what the window logic asks of it, for headless tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform.h"

namespace velbarino::testing_support {

struct ShownMessage {
    std::u16string text;
    std::u16string title;
    std::int32_t style = 0;
};

class FakePlatform : public Platform {
public:
    void messageBox(std::u16string_view text, std::u16string_view title, std::int32_t style) override {
        messages.push_back({std::u16string(text), std::u16string(title), style});
    }
    void setFocus(ControlId control) override { focus = control; }
    void refresh(ControlId) override {}
    void endProcess() override { ++endRequests; }
    void announce(std::u16string_view text) override { spoken.emplace_back(text); }
    void beep() override { ++beeps; }
    bool copyText(std::u16string_view text) override {
        if (clipboardRefuses) return false;
        clipboard = text;
        return true;
    }
    AppInfo appInfo() const override { return info; }
    ScanEvent nextScanEvent() override {
        if (scanEvents.empty()) return {ScanEvent::Closed, {}};
        ScanEvent next = scanEvents.front();
        scanEvents.erase(scanEvents.begin());
        return next;
    }
    void closeScanner(bool read) override { closedReading.push_back(read); }

    std::vector<ShownMessage> messages;
    std::optional<ControlId> focus;
    int endRequests = 0;
    std::vector<std::u16string> spoken;  // what a screen reader was told
    int beeps = 0;
    std::u16string clipboard = u"before";
    bool clipboardRefuses = false;
    std::vector<ScanEvent> scanEvents;  // what the view gives, in turn; then Closed
    std::vector<bool> closedReading;    // each closeScanner's argument
    AppInfo info{u"Velbarino", 1, 0, 0, u"Commenti", u"Copyright"};
};

}  // namespace velbarino::testing_support
