#include "main_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include "text_conversion.h"
#include "texts.h"
#include "widgets.h"

namespace velbarino::qt {
namespace {

QRect pixels(const Geometry& g) {
    return {pixelsOf(g.left), pixelsOf(g.top), pixelsOf(g.width), pixelsOf(g.height)};
}

Rgb rgbOf(const QColor& colour) { return {colour.red(), colour.green(), colour.blue()}; }
QColor qColorOf(Rgb rgb) { return {rgb.red, rgb.green, rgb.blue}; }

std::size_t labelSlot(ControlId control) {
    return static_cast<std::size_t>(static_cast<int>(control) - static_cast<int>(ControlId::Lab_Desc0));
}

}  // namespace

MainWindow::MainWindow(MainWindowState& state, Frm_Ean& form) : state_(state), form_(form) {
    setObjectName(QStringLiteral("Frm_Ean"));
    // A fixed layout: no maximize button, whatever the window manager's default.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(toQString(state_.form().Caption));
    // The layout is in fixed pixels, sized for a narrow 11-pixel sans font; the
    // desktop's usual default is wider and would clip entries and codes.
    QFont font = this->font();
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Helvetica")});
    font.setPixelSize(11);
    setFont(font);
    buildMenus();
    buildControls();
    state_.setObserver(this);
}

MainWindow::~MainWindow() { state_.setObserver(nullptr); }

void MainWindow::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(pixelsOf(state_.form().clientWidth), pixelsOf(state_.form().clientHeight));
    setCentralWidget(client);

    labEsatto_ = new ClickableLabel(client);
    for (ControlId id : kLabelIds) {
        QLabel* label = id == ControlId::LabEsatto ? labEsatto_ : new QLabel(client);
        labels_[labelSlot(id)] = label;
        const LabelControl& model = state_.label(id);
        label->setObjectName(QString::fromLatin1(controlName(id)));
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setFocusPolicy(Qt::NoFocus);
        label->setGeometry(pixels(model.geometry));
        if (model.fixedSingleBorder) {
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setLineWidth(1);
        }
        renderLabel(id);
    }

    const ComboControl& list = state_.Cmb_Ean();
    cmbEan_ = new QComboBox(client);
    cmbEan_->setObjectName(QStringLiteral("Cmb_Ean"));
    cmbEan_->setEditable(false);
    cmbEan_->setGeometry(pixels(list.geometry));
    cmbEan_->setToolTip(toQString(list.toolTip));
    renderItems();
    connect(cmbEan_, &QComboBox::activated, this,
            [this](int index) { form_.entryPicked(static_cast<std::int16_t>(index)); });

    const TextControl& field = state_.Txt_Ean();
    txtEan_ = new EntryField(client);
    txtEan_->setObjectName(QStringLiteral("Txt_Ean"));
    txtEan_->setGeometry(pixels(field.geometry));
    txtEan_->setToolTip(toQString(field.toolTip));
    txtEan_->setText(toQString(field.Text));
    txtEan_->setKeyFilter([this](std::int16_t& code) { form_.Txt_Ean_KeyPress(code); });
    txtEan_->setCommitTyper([this](std::u16string_view text, const auto& insert) { form_.typeCommitted(text, insert); });
    // textEdited comes only from the field's own edits, never from setText: no loop back.
    connect(txtEan_, &QLineEdit::textEdited, this, [this](const QString& text) { form_.fieldEdited(fromQString(text)); });
    connect(txtEan_, &EntryField::doubleClicked, this, [this] { form_.Txt_Ean_DblClick(); });

    const ButtonControl& button = state_.Cmd_Calcola();
    cmdCalcola_ = new QPushButton(toQString(button.Caption), client);
    cmdCalcola_->setObjectName(QStringLiteral("Cmd_Calcola"));
    cmdCalcola_->setGeometry(pixels(button.geometry));
    cmdCalcola_->setAutoDefault(false);
    cmdCalcola_->setDefault(false);
    connect(cmdCalcola_, &QPushButton::clicked, this, [this] { form_.Cmd_Calcola_Click(); });

    connect(labEsatto_, &ClickableLabel::doubleClicked, this, [this] { form_.LabEsatto_DblClick(); });
    labEsatto_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(labEsatto_, &QWidget::customContextMenuRequested, this, &MainWindow::showCodeMenu);

    // What a screen reader says: each control labelled by the caption above
    // it (the result boxes in renderLabel), a name for the button, whose "..."
    // says nothing, and the announcer for what no focus move would reveal.
    cmdCalcola_->setAccessibleName(toQString(texts::kButtonName));
    announcer_ = new Announcer(client);
    for (ControlId id : kLabelIds) renderLabel(id);  // now that the controls they name exist

    const auto all = controls();
    const std::vector<ControlId> stops = state_.tabStops();
    for (std::size_t i = 1; i < stops.size(); ++i) setTabOrder(all.at(stops[i - 1]), all.at(stops[i]));
}

void MainWindow::buildMenus() {
    for (const MenuEntry& top : state_.menus()) {
        QMenu* menu = menuBar()->addMenu(toQString(top.Caption));
        menu->setObjectName(QString::fromLatin1(menuName(top.id)));
        for (const MenuEntry& item : top.items) {
            QAction* action = menu->addAction(toQString(item.Caption));
            action->setObjectName(QString::fromLatin1(menuName(item.id)));
            connect(action, &QAction::triggered, this, [this, id = item.id] { form_.Menu_Click(id); });
        }
    }
}

std::map<ControlId, QWidget*> MainWindow::controls() const {
    std::map<ControlId, QWidget*> all = {
        {ControlId::Cmb_Ean, cmbEan_}, {ControlId::Txt_Ean, txtEan_}, {ControlId::Cmd_Calcola, cmdCalcola_}};
    for (ControlId id : kLabelIds) all[id] = labels_[labelSlot(id)];
    return all;
}

void MainWindow::showCentred() {
    adjustSize();
    setFixedSize(sizeHint());
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
    const std::vector<ControlId> stops = state_.tabStops();
    if (!stops.empty()) controls().at(stops.front())->setFocus(Qt::ActiveWindowFocusReason);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool cancel = false;
    form_.Form_QueryUnload(cancel, 0);
    if (cancel) {
        event->ignore();
    } else {
        event->accept();
    }
}

void MainWindow::labelChanged(ControlId label) { renderLabel(label); }
void MainWindow::itemsChanged() { renderItems(); }
void MainWindow::listIndexChanged() { cmbEan_->setCurrentIndex(state_.Cmb_Ean().ListIndex); }
void MainWindow::textChanged() { renderText(); }
void MainWindow::selectionChanged() { renderSelection(); }

void MainWindow::renderLabel(ControlId control) {
    QLabel* label = labels_[labelSlot(control)];
    const LabelControl& model = state_.label(control);
    label->setText(toQString(model.Caption));
    label->setVisible(model.Visible);
    label->setAutoFillBackground(model.BackColor.has_value());
    if (model.BackColor) {
        const QPalette theme = palette();
        const LabelColours colours = labelColours(model.BackColor, {rgbOf(theme.color(QPalette::Button)),
                                                                    rgbOf(theme.color(QPalette::ButtonText)),
                                                                    rgbOf(theme.color(QPalette::WindowText))});
        QPalette own = label->palette();
        own.setColor(QPalette::Window, qColorOf(colours.back));
        own.setColor(QPalette::WindowText, qColorOf(colours.text));
        label->setPalette(own);
    }
    for (const auto& [named, widget] : controls()) {
        if (nameLabelOf(named) == control) label->setBuddy(state_.spokenLabelOf(named) ? widget : nullptr);
    }
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && labEsatto_ != nullptr) {
        for (ControlId id : {ControlId::LabRisultato, ControlId::LabEsatto}) renderLabel(id);
    }
}

void MainWindow::showCodeMenu(const QPoint& position) {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("LabEsattoMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* copy = menu->addAction(toQString(texts::kCopia), this, [this] { form_.Copia_Click(); });
    copy->setEnabled(form_.codeInLabEsatto().has_value());
    menu->popup(labEsatto_->mapToGlobal(position));
}

void MainWindow::renderItems() {
    const ComboControl& list = state_.Cmb_Ean();
    cmbEan_->clear();
    for (const auto& item : list.items) cmbEan_->addItem(toQString(item));
    cmbEan_->setCurrentIndex(list.ListIndex);
}

void MainWindow::renderText() {
    const QString text = toQString(state_.Txt_Ean().Text);
    if (txtEan_->text() != text) txtEan_->setText(text);
}

void MainWindow::renderSelection() {
    const TextControl& field = state_.Txt_Ean();
    if (field.SelLength > 0) {
        txtEan_->setSelection(field.SelStart, field.SelLength);
    } else {
        txtEan_->setCursorPosition(field.SelStart);
    }
}

}  // namespace velbarino::qt
