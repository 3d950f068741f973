// One running Velbarino on Qt: the state, the handlers, the platform and the
// window, wired together, plus the application set-up that main() does.
#pragma once

#include <QIcon>

#include "frm_ean.h"
#include "main_window.h"
#include "main_window_state.h"
#include "qt_platform.h"

namespace velbarino {

class Program {
public:
    /// Needs a QApplication. @p endProcess ends the process at once (tests
    /// count the requests instead, and may count the bell's rings).
    explicit Program(qt::QtPlatform::EndProcess endProcess, qt::QtPlatform::Bell bell = {});

    /// Start-up, then the window on screen.
    void start();

    qt::MainWindow& window() { return window_; }
    /// The model the window renders, for whoever inspects it.
    const MainWindowState& state() const { return state_; }

private:
    MainWindowState state_;
    qt::QtPlatform platform_;
    Frm_Ean form_{state_, platform_};
    qt::MainWindow window_{state_, form_};
};

/// The title and version information that the about box shows.
AppInfo applicationInfo();

/// The barcode icon, drawn pixel for pixel at 16, 32 and 64 pixels (sharp at 200%).
QIcon applicationIcon();

/// Loads Qt's Italian texts and makes Italian the default locale; without the
/// catalogue the program still starts.
void useItalian();

}  // namespace velbarino
