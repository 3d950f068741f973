// Velbarino in a browser page: the state, the handlers, the platform and the
// window wired together, and the page's events handed to the window. The
// page's glue (web/velbarino.html.in) calls these functions with the DOM event
// as their argument; one that waits at a dialog returns a promise meanwhile.
#include <emscripten.h>
#include <emscripten/bind.h>

#include <optional>

#include "app_info.h"
#include "frm_ean.h"
#include "main_window.h"
#include "main_window_state.h"
#include "web_platform.h"
#include "window_view.h"

namespace {

struct Program {
    velbarino::MainWindowState state;
    velbarino::web::WebPlatform platform{
        velbarino::AppInfo{velbarino::kAppTitle, velbarino::kVersionMajor, velbarino::kVersionMinor,
                           velbarino::kVersionRevision, velbarino::kAppComments, velbarino::kAppLegalCopyright},
        [this] {
            // A test page counts the requests instead, as the desktop tests replace the end.
            emscripten::val module = emscripten::val::global("Module");
            if (module.hasOwnProperty("endRequests")) {
                module.set("endRequests", module["endRequests"].as<int>() + 1);
            } else {
                window.end();
            }
        }};
    velbarino::Frm_Ean form{state, platform};
    velbarino::web::MainWindow window{state, form};
};

std::optional<Program> program;

// For the start-up benchmark: the moment the window is ready.
EM_JS(void, markReady, (), { performance.mark('velbarino-ready'); });

velbarino::web::MainWindow& window() { return program->window; }

// The page's events, by the handler each goes to. (Their names start with
// velbarino_, as the list of what Asyncify instruments expects.)
using emscripten::val;
void velbarino_field_keydown(val event) { window().fieldKeyDown(event); }
void velbarino_field_beforeinput(val event) { window().fieldBeforeInput(event); }
void velbarino_field_compositionstart(val) { window().fieldCompositionStart(); }
void velbarino_field_compositionend(val event) { window().fieldCompositionEnd(event); }
void velbarino_field_input(val event) { window().fieldInput(event); }
void velbarino_field_dblclick(val) { window().fieldDoubleClick(); }
void velbarino_list_keydown(val event) { window().listKeyDown(event); }
void velbarino_list_click(val) { window().listClick(); }
void velbarino_option_click(val event) { window().optionClick(event); }
void velbarino_button_click(val) { window().buttonClick(); }
void velbarino_code_dblclick(val) { window().codeDoubleClick(); }
void velbarino_code_contextmenu(val event) { window().codeContextMenu(event); }
void velbarino_copy_click(val) { window().copyClick(); }
void velbarino_menu_click(val event) { window().menuClick(event); }
void velbarino_menu_keydown(val event) { window().menuKeyDown(event); }
void velbarino_bar_keydown(val event) { window().barKeyDown(event); }
void velbarino_window_keydown(val event) { window().windowKeyDown(event); }
void velbarino_press_anywhere(val event) { window().pressAnywhere(event); }
void velbarino_click_anywhere(val event) { window().clickAnywhere(event); }
void velbarino_control_focused(val event) { window().controlFocused(event); }
void velbarino_focus_out(val event) { window().focusOut(event); }
void velbarino_page_focused(val) { window().pageFocused(); }
void velbarino_close(val) { window().closeRequested(); }
void velbarino_theme_changed(val) { window().themeChanged(); }
void velbarino_offer_scanning(val) { window().offerScanning(); }

// What the window must show now, for whoever inspects the page (its tests).
std::string windowViewJson() { return velbarino::toJson(velbarino::windowView(program->state)); }

}  // namespace

EMSCRIPTEN_BINDINGS(velbarino) {
    using emscripten::function;
    function("windowView", &windowViewJson);
    function("fieldKeyDown", &velbarino_field_keydown);
    function("fieldBeforeInput", &velbarino_field_beforeinput);
    function("fieldCompositionStart", &velbarino_field_compositionstart);
    function("fieldCompositionEnd", &velbarino_field_compositionend);
    function("fieldInput", &velbarino_field_input);
    function("fieldDoubleClick", &velbarino_field_dblclick);
    function("listKeyDown", &velbarino_list_keydown);
    function("listClick", &velbarino_list_click);
    function("optionClick", &velbarino_option_click);
    function("buttonClick", &velbarino_button_click);
    function("codeDoubleClick", &velbarino_code_dblclick);
    function("codeContextMenu", &velbarino_code_contextmenu);
    function("copyClick", &velbarino_copy_click);
    function("menuClick", &velbarino_menu_click);
    function("menuKeyDown", &velbarino_menu_keydown);
    function("barKeyDown", &velbarino_bar_keydown);
    function("windowKeyDown", &velbarino_window_keydown);
    function("pressAnywhere", &velbarino_press_anywhere);
    function("clickAnywhere", &velbarino_click_anywhere);
    function("controlFocused", &velbarino_control_focused);
    function("focusOut", &velbarino_focus_out);
    function("pageFocused", &velbarino_page_focused);
    function("closeRequested", &velbarino_close);
    function("themeChanged", &velbarino_theme_changed);
    function("offerScanning", &velbarino_offer_scanning);
}

int main() {
    program.emplace();
    program->platform.attach(program->window.controlIds());
    program->form.Form_Load();
    program->window.show();
    markReady();
    return 0;
}
