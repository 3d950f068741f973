// Micro-benchmarks of the paths a clerk hits all day: a check digit, one typed
// digit through the key filter and the Change handler, and Enter to a result.
#include <benchmark/benchmark.h>

#include <string>

#include "checksum.h"
#include "frm_ean.h"
#include "main_window_state.h"
#include "platform.h"

namespace {

using namespace velbarino;

class NullPlatform : public Platform {
public:
    void messageBox(std::u16string_view, std::u16string_view, std::int32_t) override {}
    void setFocus(ControlId) override {}
    void refresh(ControlId) override {}
    void endProcess() override {}
    void announce(std::u16string_view) override {}
    void beep() override {}
    bool copyText(std::u16string_view) override { return true; }
    AppInfo appInfo() const override { return {}; }
};

void checkDigitEan13(benchmark::State& state) {
    const std::u16string code = u"400638133393";
    for (auto _ : state) benchmark::DoNotOptimize(ChecksumEan13(code));
}
BENCHMARK(checkDigitEan13);

void checkDigitEan8(benchmark::State& state) {
    const std::u16string code = u"9638507";
    for (auto _ : state) benchmark::DoNotOptimize(ChecksumEan8(code));
}
BENCHMARK(checkDigitEan8);

// The window after start-up, with a platform that does nothing.
struct LoadedWindow {
    LoadedWindow() { form.Form_Load(); }
    NullPlatform platform;
    MainWindowState window;
    Frm_Ean form{window, platform};
};

// One digit typed into a field of eleven, then taken out again.
void typedDigit(benchmark::State& state) {
    LoadedWindow loaded;
    Frm_Ean& form = loaded.form;
    form.fieldEdited(u"40063813339");
    for (auto _ : state) {
        std::int16_t key = u'3';
        form.Txt_Ean_KeyPress(key);
        form.fieldEdited(u"400638133393");
        form.fieldEdited(u"40063813339");
    }
}
BENCHMARK(typedDigit);

// Enter on a full field: the compute action fills the result area.
void enterToResult(benchmark::State& state) {
    LoadedWindow loaded;
    Frm_Ean& form = loaded.form;
    for (auto _ : state) {
        form.fieldEdited(u"400638133393");  // a change clears the previous result
        std::int16_t key = 13;
        form.Txt_Ean_KeyPress(key);
        benchmark::DoNotOptimize(loaded.window.LabEsatto().Caption.data());
        form.fieldEdited(u"");
    }
}
BENCHMARK(enterToResult);

}  // namespace

BENCHMARK_MAIN();
