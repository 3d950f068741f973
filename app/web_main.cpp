// Velbarino in a browser page: the state, the handlers, the platform and the
// window wired together, and the page's events handed to the window. The
// page's glue (web/velbarino.html.in) calls these exports with the DOM event
// in Module.event, through ccall, so that a handler may wait at a dialog.
#include <emscripten.h>

#include <optional>

#include "app_info.h"
#include "frm_ean.h"
#include "main_window.h"
#include "main_window_state.h"
#include "web_platform.h"

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
emscripten::val event() { return emscripten::val::global("Module")["event"]; }

}  // namespace

extern "C" {
EMSCRIPTEN_KEEPALIVE void velbarino_field_keydown() { window().fieldKeyDown(event()); }
EMSCRIPTEN_KEEPALIVE void velbarino_field_beforeinput() { window().fieldBeforeInput(event()); }
EMSCRIPTEN_KEEPALIVE void velbarino_field_compositionstart() { window().fieldCompositionStart(); }
EMSCRIPTEN_KEEPALIVE void velbarino_field_compositionend() { window().fieldCompositionEnd(event()); }
EMSCRIPTEN_KEEPALIVE void velbarino_field_input() { window().fieldInput(event()); }
EMSCRIPTEN_KEEPALIVE void velbarino_field_dblclick() { window().fieldDoubleClick(); }
EMSCRIPTEN_KEEPALIVE void velbarino_list_keydown() { window().listKeyDown(event()); }
EMSCRIPTEN_KEEPALIVE void velbarino_list_click() { window().listClick(); }
EMSCRIPTEN_KEEPALIVE void velbarino_option_click() { window().optionClick(event()); }
EMSCRIPTEN_KEEPALIVE void velbarino_button_click() { window().buttonClick(); }
EMSCRIPTEN_KEEPALIVE void velbarino_code_dblclick() { window().codeDoubleClick(); }
EMSCRIPTEN_KEEPALIVE void velbarino_code_contextmenu() { window().codeContextMenu(event()); }
EMSCRIPTEN_KEEPALIVE void velbarino_copy_click() { window().copyClick(); }
EMSCRIPTEN_KEEPALIVE void velbarino_menu_click() { window().menuClick(event()); }
EMSCRIPTEN_KEEPALIVE void velbarino_menu_keydown() { window().menuKeyDown(event()); }
EMSCRIPTEN_KEEPALIVE void velbarino_press_anywhere() { window().pressAnywhere(event()); }
EMSCRIPTEN_KEEPALIVE void velbarino_click_anywhere() { window().clickAnywhere(event()); }
EMSCRIPTEN_KEEPALIVE void velbarino_control_focused() { window().controlFocused(event()); }
EMSCRIPTEN_KEEPALIVE void velbarino_focus_out() { window().focusOut(event()); }
EMSCRIPTEN_KEEPALIVE void velbarino_close() { window().closeRequested(); }
}

int main() {
    program.emplace();
    program->platform.attach(program->window.controlIds());
    program->form.Form_Load();
    program->window.show();
    markReady();
    return 0;
}
