// One running Velbarino: the state, the handlers, the platform and the window,
// wired together. run() is the whole program behind main().
#pragma once

#include <QIcon>

#include "frm_ean.h"
#include "main_window.h"
#include "main_window_state.h"
#include "qt_platform.h"
#include "run.h"
#include "shell.h"

namespace velbarino::qt {

class Program {
public:
    /// Needs a QApplication. @p endProcess replaces the real end of the process.
    explicit Program(QtPlatform::EndProcess endProcess = {});

    /// Start-up, then the window on screen, centred, focus on the first control.
    void start();

    MainWindow& window() { return window_; }
    MainWindowState& state() { return state_; }

private:
    MainWindowState state_;
    QtPlatform platform_;
    Frm_Ean form_{state_, platform_};
    Shell shell_{platform_};
    MainWindow window_{state_, form_, shell_};
};

/// The barcode icon, drawn pixel for pixel at 16, 32 and 64 pixels (sharp at 200%).
QIcon applicationIcon();

/// Loads Qt's Italian texts and makes Italian the default locale; without the
/// catalogue the program still starts.
void useItalian();


}  // namespace velbarino::qt
