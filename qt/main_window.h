// The real window: renders MainWindowState into Qt widgets, keeps them in step
// with every write the logic makes, and hands the user's keys, edits, picks,
// clicks, double-clicks and close requests to the handlers. No rule lives here.
#pragma once

#include <QMainWindow>
#include <array>
#include <map>

#include "frm_ean.h"
#include "main_window_state.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace velbarino::qt {

class EntryField;
class ClickableLabel;
class Announcer;

class MainWindow final : public QMainWindow, private StateObserver {
    Q_OBJECT
public:
    MainWindow(MainWindowState& state, Frm_Ean& form);
    ~MainWindow() override;

    /// Every control by name, for the platform's focus and repaint.
    std::map<ControlId, QWidget*> controls() const;
    /// What speaks to a screen reader.
    Announcer* announcer() const { return announcer_; }
    /// Shows the window at its fixed size, centred on its screen, with the
    /// focus on the first control of the tab order.
    void showCentred();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void labelChanged(ControlId label) override;
    void itemsChanged() override;
    void listIndexChanged() override;
    void textChanged() override;
    void selectionChanged() override;
    void buildControls();
    void buildMenus();
    void renderLabel(ControlId control);
    void renderItems();
    void renderText();
    void renderSelection();
    void showCodeMenu(const QPoint& position);

    MainWindowState& state_;
    Frm_Ean& form_;

    QComboBox* cmbEan_ = nullptr;
    EntryField* txtEan_ = nullptr;
    QPushButton* cmdCalcola_ = nullptr;
    std::array<QLabel*, 6> labels_{};  // Lab_Desc(0) to (3), LabRisultato, LabEsatto
    ClickableLabel* labEsatto_ = nullptr;
    Announcer* announcer_ = nullptr;
};

}  // namespace velbarino::qt
