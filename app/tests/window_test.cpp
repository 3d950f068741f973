// The real window on Qt's offscreen platform, as main() assembles it: the
// shared scenarios through a driver that sends QTest's key and mouse events
// and reads the widgets, the accessibility interfaces and the clipboard back;
// then what only this binding has: composed text, the field's own menu, a
// dark palette. (Both forms of Ctrl+V that Qt
// delivers are mapped in qt/tests/key_codes_test.cpp.)
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "colour.h"
#include "program.h"
#include "scenarios.h"

namespace velbarino {
namespace {

std::u16string u16(const QString& text) { return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())}; }
QString q(std::u16string_view text) { return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())); }

// Answers the modal message boxes a test provokes: records what each showed,
// with what @p behind read of the window while it was open, then presses OK.
struct SeenBox {
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool modal = false;  // and with its one OK button
    QString behind;
};
class MessageBoxes {
public:
    explicit MessageBoxes(std::function<QString()> behind) : behind_(std::move(behind)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) return;
            seen.push_back({box->text(), box->windowTitle(), box->icon(), box->isModal() && box->buttons().size() == 1, behind_()});
            if (QAbstractButton* ok = box->button(QMessageBox::Ok)) ok->click();
        });
        timer_.start(5);
    }
    std::vector<SeenBox> seen;

private:
    std::function<QString()> behind_;
    QTimer timer_;
};

// The announcer's name each time it is shown: what a screen reader is handed.
class Listener : public QObject {
public:
    std::vector<std::u16string> heard;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            heard.push_back(u16(QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name)));
        }
        return false;
    }
};

}  // namespace

class WindowTest : public QObject, private scenarios::Driver {
    Q_OBJECT

private:
    std::unique_ptr<Program> program;
    std::unique_ptr<MessageBoxes> boxes_;
    Listener listener;
    int endRequests_ = 0;
    int bells_ = 0;
    int returnsInField_ = 0;

    template <typename T>
    T* find(const char* name) {
        T* widget = program->window().findChild<T*>(QString::fromLatin1(name));
        if (widget == nullptr) qFatal("no control named %s", name);
        return widget;
    }
    QLineEdit* field() { return find<QLineEdit>("Txt_Ean"); }
    QComboBox* list() { return find<QComboBox>("Cmb_Ean"); }
    QLabel* label(const char* name) { return find<QLabel>(name); }

    void typeInField(const QString& keys) {
        if (QApplication::focusWidget() != field()) field()->setFocus();
        for (QChar c : keys) {
            if (c == u'\r') {
                QTest::keyClick(field(), Qt::Key_Return);
            } else if (c == u'\b') {
                QTest::keyClick(field(), Qt::Key_Backspace);
            } else if (c.unicode() < 32) {
                QTest::keyClick(field(), static_cast<Qt::Key>(Qt::Key_A + c.unicode() - 1), Qt::ControlModifier);
            } else if (c.unicode() > 0x7E) {  // a key of another layout: its text, no Latin key
                for (auto action : {QTest::Press, QTest::Release}) QTest::sendKeyEvent(action, field(), Qt::Key_unknown, QString(c), Qt::NoModifier);
            } else {
                QTest::keyClicks(field(), QString(c));
            }
        }
    }

    /// Opens the list and picks entry @p index with the keyboard, as a user would.
    void pickFromPopup(int index) {
        list()->showPopup();
        QAbstractItemView* view = list()->view();
        QVERIFY(QTest::qWaitForWindowExposed(view->window()));
        observe("with the list open");
        for (int i = list()->currentIndex(); i < index; ++i) QTest::keyClick(view, Qt::Key_Down);
        for (int i = list()->currentIndex(); i > index; --i) QTest::keyClick(view, Qt::Key_Up);
        QTest::keyClick(view, Qt::Key_Return);
    }

    /// Opens @p widget's context menu with a real event, triggers the enabled
    /// entry whose text starts with @p caption, if any, and returns every
    /// entry's text, or only the enabled ones'.
    QStringList contextMenu(QWidget* widget, const QString& caption = {}, bool enabledOnly = false) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), widget->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(widget, &event);
        QMenu* menu = nullptr;
        if (!QTest::qWaitFor([&] { return (menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr; }))
            return {};
        QStringList texts;
        QAction* found = nullptr;
        for (QAction* action : menu->actions()) {
            const QString text = action->text().remove(QLatin1Char('&'));
            if (!enabledOnly || action->isEnabled()) texts << text;
            if (!caption.isEmpty() && text.startsWith(caption) && action->isEnabled()) found = action;
        }
        if (found != nullptr) found->trigger();
        menu->close();
        return texts;
    }

    /// A real click at @p widget's centre, through the window system, as a
    /// mouse gives it: an open popup sees it first.
    void clickThroughWindow(QWidget* widget) {
        QWindow* window = widget->window()->windowHandle();
        QTest::mouseClick(window, Qt::LeftButton, {}, widget->mapTo(widget->window(), widget->rect().center()));
    }

    /// Text dragged from another program and dropped at the end of the field.
    void dropOnField(const QString& text) {
        QMimeData data;
        data.setText(text);
        const QPoint end(field()->width() - 3, field()->height() / 2);
        QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(field(), &enter);
        QDragMoveEvent move(end, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(field(), &move);
        QDropEvent drop(QPointF(end), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(field(), &drop);
    }

    /// The contrast of a label's text with its background, read off its
    /// pixels: the commonest colour inside the frame is the background, the
    /// one farthest from it the text.
    static double textContrast(QLabel* label) {
        const QImage image = label->grab(label->contentsRect()).toImage();
        QHash<QRgb, int> counts;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y)];
        QRgb back = counts.begin().key();
        for (auto it = counts.begin(); it != counts.end(); ++it)
            if (it.value() > counts[back]) back = it.key();
        const auto rgb = [](QRgb c) { return Rgb{qRed(c), qGreen(c), qBlue(c)}; };
        double best = 1;
        for (auto it = counts.begin(); it != counts.end(); ++it) best = std::max(best, contrastRatio(rgb(back), rgb(it.key())));
        return best;
    }

    // The driver of the shared scenarios.
    void perform(const scenarios::Step& step) override {
        using scenarios::Act;
        switch (step.act) {
            case Act::Type: typeInField(q(step.text)); break;
            case Act::CtrlV:
                QApplication::clipboard()->setText(q(step.text));
                field()->setFocus();  // Ctrl+V as X11 delivers it, with the text "\x16"
                QTest::sendKeyEvent(QTest::Press, field(), Qt::Key_V, QString(QChar(0x16)), Qt::ControlModifier);
                QTest::sendKeyEvent(QTest::Release, field(), Qt::Key_V, QString(QChar(0x16)), Qt::ControlModifier);
                break;
            case Act::MenuPaste:
                QApplication::clipboard()->setText(q(step.text));
                contextMenu(field(), QStringLiteral("Incolla"));  // Qt's own texts are Italian
                break;
            case Act::Pick: pickFromPopup(step.index); break;
            case Act::Button: QTest::mouseClick(find<QPushButton>("Cmd_Calcola"), Qt::LeftButton); break;
            case Act::DoubleClickField: QTest::mouseDClick(field(), Qt::LeftButton, {}, QPoint(4, 8)); break;
            case Act::DoubleClickCode: QTest::mouseDClick(label("LabEsatto"), Qt::LeftButton); break;
            case Act::Copia: contextMenu(label("LabEsatto"), QStringLiteral("Copia")); break;
            case Act::Menu: {  // the menu opened on the bar, then its entry picked with Enter
                QAction* item = find<QAction>(menuName(static_cast<MenuId>(step.index)));
                for (QAction* top : program->window().menuBar()->actions()) {
                    if (!top->menu()->actions().contains(item)) continue;
                    program->window().menuBar()->setActiveAction(top);
                    QVERIFY(QTest::qWaitForWindowExposed(top->menu()));
                    observe("with a menu open");
                    top->menu()->setActiveAction(item);
                    QTest::keyClick(top->menu(), Qt::Key_Return);
                }
                break;
            }
            case Act::CloseRequest: program->window().close(); break;
            case Act::OpenList:
                clickThroughWindow(list());
                QVERIFY(QTest::qWaitForWindowExposed(list()->view()->window()));
                break;
            case Act::ClickOutside: clickThroughWindow(label("Lab_Desc0")); break;
            case Act::ClickPick: {
                clickThroughWindow(list());
                QAbstractItemView* view = list()->view();
                QVERIFY(QTest::qWaitForWindowExposed(view->window()));
                const QPoint entry = view->visualRect(list()->model()->index(step.index, 0)).center();
                QTest::mouseClick(view->window()->windowHandle(), Qt::LeftButton, {}, view->viewport()->mapTo(view->window(), entry));
                break;
            }
            case Act::Delete:
                field()->setFocus();
                QTest::keyClick(field(), Qt::Key_Delete);
                break;
            case Act::Cut: contextMenu(field(), QStringLiteral("Taglia")); break;
            case Act::Drop: dropOnField(q(step.text)); break;
            case Act::Scan: break;  // cannotDo
            case Act::Chord:
                field()->setFocus();
                QTest::keyClick(field(), static_cast<char>(step.text.at(0)), Qt::ControlModifier);
                break;
            case Act::Key:  // to the open list if there is one, as keys go
                QTest::keyClick(list()->view()->isVisible() ? list()->view() : QApplication::focusWidget(),
                                step.text == u"Down" ? Qt::Key_Down : step.text == u"Escape" ? Qt::Key_Escape
                                : step.text == u"Tab" ? Qt::Key_Tab : step.text == u"Space" ? Qt::Key_Space : Qt::Key_Backtab, step.text == u"BackTab" ? Qt::ShiftModifier : Qt::NoModifier);
                break;
        }
        QTest::qWait(20);  // a popup closes after the event that closes it
        // Qt's offscreen platform gives the window no activation back once a
        // message box or a popup has closed, as a window manager does (and
        // with it the focus): given here, as a window manager would.
        if (QApplication::activePopupWidget() == nullptr && QApplication::activeWindow() != &program->window() && program->window().isVisible()) {
            program->window().activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&program->window()));
        }
    }
    const MainWindowState& model() override { return program->state(); }
    /// A menu's items as drawn: each one's text and whether it is enabled, or a separator.
    static nlohmann::json menuItems(QMenu* menu) {
        nlohmann::json items = nlohmann::json::array();
        for (QAction* item : menu->actions()) {
            items.push_back(item->isSeparator() ? nlohmann::json{{"separator", true}}
                                                : nlohmann::json{{"text", item->text().toStdString()}, {"enabled", item->isEnabled()}});
        }
        return items;
    }
    nlohmann::json wholeWindow() override {
        nlohmann::json controls = nlohmann::json::object(), order = nlohmann::json::array(), menus = nlohmann::json::array();
        auto* button = find<QPushButton>("Cmd_Calcola");
        for (const auto& [id, widget] : program->window().controls()) {
            const QRect r = widget->geometry();
            auto* label = qobject_cast<QLabel*>(widget);
            const QString text = label != nullptr ? label->text() : id == ControlId::Txt_Ean ? field()->text()
                               : id == ControlId::Cmb_Ean ? list()->currentText() : button->text();
            const bool framed = label != nullptr ? label->frameShape() != QFrame::NoFrame : id == ControlId::Txt_Ean ? field()->hasFrame()
                              : id == ControlId::Cmb_Ean ? list()->hasFrame() : !button->isFlat();
            const bool sunken = label != nullptr ? label->frameShadow() == QFrame::Sunken : id == ControlId::Txt_Ean;
            controls[controlName(id)] = widget->isVisible() ? nlohmann::json{{"shown", true}, {"text", text.toStdString()},
                                                                              {"place", {r.x(), r.y(), r.width(), r.height()}},
                                                                              {"border", !framed ? "none" : sunken ? "sunken" : "raised"}}
                                                            : nlohmann::json{{"shown", false}};
        }
        QWidget* first = list();  // the focus chain from the first control round to it again
        QWidget* w = first;
        for (int i = 0; w != nullptr && i < 100 && (i == 0 || w != first); ++i, w = w->nextInFocusChain()) {
            if (w->focusPolicy() & Qt::TabFocus && w->isVisible() && focusOf(w)) order.push_back(controlName(*focusOf(w)));
        }
        auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        nlohmann::json openMenu = nullptr;
        for (QAction* top : program->window().menuBar()->actions()) {
            menus.push_back({{"text", top->text().toStdString()}, {"items", menuItems(top->menu())}});
            if (top->menu() == open) openMenu = menus.back();
        }
        const QSize client = program->window().centralWidget()->size();
        nlohmann::json entries = nlohmann::json::array();
        for (int i = 0; i < list()->count(); ++i) entries.push_back(list()->itemText(i).toStdString());
        return {{"title", program->window().windowTitle().toStdString()}, {"client", {client.width(), client.height()}},
                {"menus", menus}, {"openMenu", openMenu}, {"popupFocus", QApplication::activePopupWidget() != nullptr},
                {"controls", controls}, {"tabOrder", order}, {"entries", entries}};
    }
    std::optional<ControlId> focusOf(QWidget* widget) {
        for (const auto& [id, control] : program->window().controls()) {
            if (control == widget) return id;
        }
        return std::nullopt;
    }
    bool listOpen() override { return list()->view()->isVisible(); }
    int enterReachedField() override { return returnsInField_; }
    bool copiaEnabled() override { return contextMenu(label("LabEsatto"), {}, true).contains(QStringLiteral("Copia")); }
    nlohmann::json fieldSelection() override {
        if (!field()->hasSelectedText()) return {field()->cursorPosition(), 0};
        return {field()->selectionStart(), field()->selectedText().size()};
    }
    std::optional<ControlId> focus() override { return focusOf(QApplication::focusWidget()); }
    nlohmann::json names() override {
        // On Linux, Qt names a combo box by its current entry and ties its
        // label to it by a relation, which screen readers say as its name.
        const auto name = [](QWidget* widget) {
            QAccessibleInterface* control = QAccessible::queryAccessibleInterface(widget);
            const auto labels = control->relations(QAccessible::Label);
            return (labels.isEmpty() ? control : labels.first().first)->text(QAccessible::Name).toStdString();
        };
        return {name(list()), name(field()), name(find<QPushButton>("Cmd_Calcola"))};
    }
    std::vector<std::u16string> heard() override { return listener.heard; }
    nlohmann::json boxes() override {
        nlohmann::json seen = nlohmann::json::array();
        for (const SeenBox& box : boxes_->seen) {
            const char* icon = !box.modal                                 ? "None"
                               : box.icon == QMessageBox::Critical       ? "Error"
                               : box.icon == QMessageBox::Warning        ? "Warning"
                               : box.icon == QMessageBox::Information    ? "Information" : "None";
            seen.push_back({box.text.toStdString(), box.title.toStdString(), icon, box.behind.toStdString()});
        }
        return seen;
    }
    int bells() override { return bells_; }
    std::u16string clipboard() override { return u16(QApplication::clipboard()->text()); }
    int endRequests() override { return endRequests_; }
    nlohmann::json toolTips() override { return {list()->toolTip().toStdString(), field()->toolTip().toStdString()}; }

private slots:
    void initTestCase() { useItalian(); }

    void init() {
        endRequests_ = 0;
        bells_ = 0;
        listener.heard.clear();
        program = std::make_unique<Program>([this] { ++endRequests_; }, [this] { ++bells_; });
        program->window().findChild<QWidget*>(QStringLiteral("Announcer"))->installEventFilter(&listener);
        QApplication::clipboard()->setText(QStringLiteral("before"));
        program->start();
        QVERIFY(QTest::qWaitForWindowActive(&program->window()));
        returnsInField_ = 0;
        connect(field(), &QLineEdit::returnPressed, this, [this] { ++returnsInField_; });
        boxes_ = std::make_unique<MessageBoxes>([this] { return field()->text(); });
    }

    void cleanup() {
        boxes_.reset();
        program.reset();
    }

    void sharedScenarios_data() {
        QTest::addColumn<int>("row");
        for (std::size_t i = 0; i < scenarios::all().size(); ++i) QTest::newRow(scenarios::all()[i].name.c_str()) << static_cast<int>(i);
    }

    void sharedScenarios() {
        QFETCH(int, row);
        const scenarios::Outcome outcome = scenarios::run(scenarios::all()[static_cast<std::size_t>(row)], *this);
        for (const std::string& line : outcome.notChecked) qInfo("not checked here: %s", line.c_str());
        QStringList differences;
        for (const std::string& line : outcome.differences) differences << QString::fromStdString(line);
        QVERIFY2(differences.isEmpty(), qPrintable(differences.join(QLatin1Char('\n'))));
    }

    void composedTextPassesTheFilter() {
        const auto commit = [this](const QString& text) {
            QInputMethodEvent event;
            event.setCommitString(text);
            QApplication::sendEvent(field(), &event);
        };
        typeInField(QStringLiteral("4006"));
        commit(QStringLiteral("\u00E8"));  // a dead key: grave, then e
        commit(QStringLiteral("\u00BD"));  // Compose 1 2
        QCOMPARE(field()->text(), QStringLiteral("4006"));
        commit(QStringLiteral("38133393"));
        commit(QStringLiteral("1"));  // the thirteenth digit is refused here too
        QCOMPARE(field()->text(), QStringLiteral("400638133393"));
        QCOMPARE(bells_, 3);
    }

    void resultsStayReadableUnderADarkTheme() {
        QPalette dark;
        for (auto [role, colour] : {std::pair{QPalette::Window, 0x2d2d2d}, {QPalette::WindowText, 0xeeeeee},
                                    {QPalette::Button, 0x353535}, {QPalette::ButtonText, 0xeeeeee},
                                    {QPalette::Base, 0x1e1e1e}, {QPalette::Text, 0xeeeeee}})
            dark.setColor(role, QColor(QRgb(colour)));
        const QPalette light = QApplication::palette();
        QApplication::setPalette(dark);
        pickFromPopup(1);
        typeInField(QStringLiteral("4006381333932\r"));
        QVERIFY(textContrast(label("LabRisultato")) >= 4.5);
        QVERIFY(textContrast(label("LabEsatto")) >= 4.5);
        QCOMPARE(label("LabEsatto")->grab().toImage().pixelColor(3, 3), QColor(Qt::white));  // the box stays white
        QTest::mouseDClick(label("LabEsatto"), Qt::LeftButton);
        typeInField(QStringLiteral("\r"));  // exact: the box takes the theme's button face
        QCOMPARE(label("LabEsatto")->grab().toImage().pixelColor(3, 3), QColor(QRgb(0x353535)));
        // The empty box says nothing: not the caption of its hidden caption label.
        QCOMPARE(QAccessible::queryAccessibleInterface(label("LabEsatto"))->text(QAccessible::Name), QString());
        QApplication::setPalette(light);
    }

    void theWindowHasItsIconAndAFixedSize() {
        QVERIFY(!program->window().windowIcon().isNull());
        QCOMPARE(program->window().minimumSize(), program->window().maximumSize());
    }
};

}  // namespace velbarino

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    velbarino::WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_test.moc"
