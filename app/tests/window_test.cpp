// The real window on Qt's offscreen platform, driven with real events.
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "colour.h"
#include "message_boxes.h"
#include "program.h"

namespace velbarino {

class WindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Program> program;
    int endRequests = 0;

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
        field()->setFocus();
        QTest::keyClicks(field(), keys);
    }
    void enter() { QTest::keyClick(field(), Qt::Key_Return); }

    /// Ctrl+V as X11 delivers it (text "\x16") or as a synthetic event (text "v").
    void ctrlV(bool asX11) {
        if (asX11) {
            QTest::sendKeyEvent(QTest::Press, field(), Qt::Key_V, QString(QChar(0x16)), Qt::ControlModifier);
            QTest::sendKeyEvent(QTest::Release, field(), Qt::Key_V, QString(QChar(0x16)), Qt::ControlModifier);
        } else {
            QTest::keyClick(field(), Qt::Key_V, Qt::ControlModifier);
        }
    }

    /// Opens the list and picks entry @p index with the keyboard, as a user would.
    void pickFromPopup(int index) {
        list()->showPopup();
        QAbstractItemView* view = list()->view();
        QVERIFY(QTest::qWaitForWindowExposed(view->window()));
        for (int i = list()->currentIndex(); i < index; ++i) QTest::keyClick(view, Qt::Key_Down);
        for (int i = list()->currentIndex(); i > index; --i) QTest::keyClick(view, Qt::Key_Up);
        QTest::keyClick(view, Qt::Key_Return);
    }

    /// Opens @p widget's context menu with a real event, triggers the enabled
    /// entry whose text starts with @p caption, if any, and returns every entry's text.
    QStringList contextMenu(QWidget* widget, const QString& caption = {}) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), widget->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(widget, &event);
        QMenu* menu = nullptr;
        if (!QTest::qWaitFor([&] { return (menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr; }))
            return {};
        QStringList texts;
        QAction* found = nullptr;
        for (QAction* action : menu->actions()) {
            texts << action->text().remove(QLatin1Char('&'));
            if (!caption.isEmpty() && texts.back().startsWith(caption) && action->isEnabled()) found = action;
        }
        if (found != nullptr) found->trigger();
        menu->close();
        return texts;
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

private slots:
    void initTestCase() { useItalian(); }

    void init() {
        endRequests = 0;
        program = std::make_unique<Program>([this] { ++endRequests; });
        program->start();
        QVERIFY(QTest::qWaitForWindowActive(&program->window()));
    }

    void cleanup() { program.reset(); }

    void startUpShowsFirstActionWithResultHidden() {
        QCOMPARE(program->window().windowTitle(), QStringLiteral("Velbarino"));
        QCOMPARE(list()->count(), 4);
        QCOMPARE(list()->currentIndex(), 0);
        QCOMPARE(label("Lab_Desc1")->text(), QStringLiteral("Codice (12 caratteri)"));
        for (const char* name : {"Lab_Desc2", "Lab_Desc3", "LabRisultato", "LabEsatto"}) QVERIFY(!label(name)->isVisible());
        QCOMPARE(QApplication::focusWidget(), list());
        QVERIFY(!program->window().windowIcon().isNull());
        QCOMPARE(program->window().minimumSize(), program->window().maximumSize());
        // What a screen reader says besides the captions.
        QCOMPARE(list()->toolTip(), QStringLiteral("Selezionare il tipo di azione"));
        QCOMPARE(field()->toolTip(), QStringLiteral("Inserire il codice EAN"));
        QCOMPARE(QAccessible::queryAccessibleInterface(find<QPushButton>("Cmd_Calcola"))->text(QAccessible::Name),
                 QStringLiteral("Calcola"));
        QTest::keyClick(list(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), field());
        QTest::keyClick(field(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), find<QPushButton>("Cmd_Calcola"));
    }

    void typedKeysPassTheFilter() {
        typeInField(QStringLiteral("4a0 0-6.+,x"));
        QCOMPARE(field()->text(), QStringLiteral("4006"));
        typeInField(QStringLiteral("381333931"));  // the thirteenth digit is refused
        QCOMPARE(field()->text(), QStringLiteral("400638133393"));
    }

    void editingShortcutsThatTheFilterCancelsDoNothing() {
        typeInField(QStringLiteral("123"));
        QApplication::clipboard()->setText(QStringLiteral("clip"));
        field()->selectAll();
        QTest::keyClick(field(), Qt::Key_X, Qt::ControlModifier);
        QTest::keyClick(field(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(field()->text(), QStringLiteral("123"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("clip"));
        // Keys without a character reach the field untouched.
        QTest::keyClick(field(), Qt::Key_Home);
        QTest::keyClick(field(), Qt::Key_Delete);
        QCOMPARE(field()->text(), QStringLiteral("23"));
    }

    void enterComputesAndShowsTheResult() {
        typeInField(QStringLiteral("400638133393"));
        enter();
        QVERIFY(label("LabRisultato")->isVisible());
        QCOMPARE(label("LabRisultato")->text(), QStringLiteral("1"));
        QCOMPARE(label("LabEsatto")->text(), QStringLiteral("4006381333931"));
        QCOMPARE(label("Lab_Desc2")->text(), QStringLiteral("Checksum"));
        QCOMPARE(label("LabEsatto")->palette().color(QPalette::Window), QColor(Qt::white));
        QTest::keyClick(field(), Qt::Key_Backspace);
        QVERIFY(!label("LabRisultato")->isVisible());
        QTest::keyClicks(field(), QStringLiteral("2"));
        QTest::mouseClick(find<QPushButton>("Cmd_Calcola"), Qt::LeftButton);  // the button does what Enter does
        QCOMPARE(label("LabRisultato")->text(), QStringLiteral("4"));
    }

    void hostileClipboardThroughCtrlV_data() {
        QTest::addColumn<bool>("asX11");
        QTest::addColumn<QString>("initial");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("warnings");
        QTest::newRow("megabyteOfDigitsIsCut") << false << "" << 0 << QString(1000000, QLatin1Char('7')) << "777777777777" << 0;
        QTest::newRow("nulCharacterRejected") << true << "" << 0 << QString::fromUtf16(u"12\u0000" u"34", 5) << "" << 1;
        QTest::newRow("rightToLeftMarkRejected") << true << "" << 0 << QString::fromUtf16(u"\u200F400638133393") << "" << 1;
        QTest::newRow("outsideBmpRejected") << true << "" << 0 << QString::fromUtf16(u"40\U0001D7D9") << "" << 1;
        QTest::newRow("fullwidthDigitsRejected") << true << "" << 0 << QString::fromUtf16(u"\uFF14\uFF10") << "" << 1;
        QTest::newRow("arabicIndicDigitsRejected") << true << "" << 0 << QString::fromUtf16(u"\u0664\u0660") << "" << 1;
        QTest::newRow("lineBreakInsideRejected") << true << "" << 0 << "4006\r\n38133393" << "" << 1;
        QTest::newRow("lineBreakBeyondLengthCut") << false << "" << 0 << "400638133393\r\n" << "400638133393" << 0;
        QTest::newRow("middleOfFullFieldKeepsFirstTwelve") << true << "400638133393" << 2 << "77" << "407706381333" << 0;
        QTest::newRow("lettersIntoFullFieldCutAway") << false << "400638133393" << 12 << "abc" << "400638133393" << 0;
    }

    void hostileClipboardThroughCtrlV() {
        QFETCH(bool, asX11);
        QFETCH(QString, initial);
        QFETCH(int, caret);
        QFETCH(QString, clipboard);
        QFETCH(QString, expected);
        QFETCH(int, warnings);
        MessageBoxes boxes;
        typeInField(initial);
        field()->setCursorPosition(caret);
        QApplication::clipboard()->setText(clipboard);
        ctrlV(asX11);
        QCOMPARE(field()->text(), expected);
        QCOMPARE(static_cast<int>(boxes.seen.size()), warnings);

        // Still responsive: the field takes keys and Enter answers.
        QTest::keyClick(field(), Qt::Key_End);
        QTest::keyClick(field(), Qt::Key_Backspace);
        QCOMPARE(field()->text(), expected.left(std::max<qsizetype>(expected.size() - 1, 0)));
        enter();
        QCOMPARE(static_cast<int>(boxes.seen.size()), warnings + 1);
        QCOMPARE(boxes.seen.back().text, QStringLiteral("Inserire un codice di 12 caratteri."));
        QCOMPARE(boxes.seen.back().title, QStringLiteral("Velbarino"));
        QCOMPARE(boxes.seen.back().icon, QMessageBox::Warning);
        QVERIFY(boxes.seen.back().modal);
    }

    void contextMenuPasteIsItalianAndNotScanned() {
        MessageBoxes boxes;
        QApplication::clipboard()->setText(QStringLiteral("4006 381"));
        QVERIFY(contextMenu(field(), QStringLiteral("Incolla")).size() > 0);  // Qt's own texts are Italian
        QCOMPARE(field()->text(), QStringLiteral("4006 381"));
        QCOMPARE(boxes.seen.size(), 0u);
        // The blank splits the text into two words: the field alone would
        // select only the first on a double-click, the window selects all.
        QTest::mouseDClick(field(), Qt::LeftButton, {}, QPoint(4, 8));
        QCOMPARE(field()->selectedText(), QStringLiteral("4006 381"));
    }

    void pickingFromThePopupIncludingARePick() {
        pickFromPopup(3);
        QCOMPARE(label("Lab_Desc1")->text(), QStringLiteral("Codice (8 caratteri)"));
        typeInField(QStringLiteral("96385075"));
        enter();
        QCOMPARE(label("LabRisultato")->text(), QStringLiteral("codice errato"));

        pickFromPopup(3);  // the same entry again still acts
        QCOMPARE(field()->text(), QString());
        QVERIFY(!label("LabRisultato")->isVisible());
        QCOMPARE(QApplication::focusWidget(), field());
    }

    void doubleClickOnCorrectedCodePutsItInTheField() {
        pickFromPopup(1);
        typeInField(QStringLiteral("4006381333932"));
        enter();
        QCOMPARE(label("LabEsatto")->text(), QStringLiteral("4006381333931"));
        QTest::mouseDClick(label("LabEsatto"), Qt::LeftButton);
        QCOMPARE(field()->text(), QStringLiteral("4006381333931"));
        QCOMPARE(field()->cursorPosition(), 13);
        QVERIFY(!field()->hasSelectedText());
        QVERIFY(!label("LabEsatto")->isVisible());
        enter();
        QCOMPARE(label("LabRisultato")->text(), QStringLiteral("codice esatto"));
        QCOMPARE(label("LabEsatto")->palette().color(QPalette::Window),
                 program->window().palette().color(QPalette::Button));
        QVERIFY(!label("Lab_Desc3")->isVisible());
        // The empty box says nothing: not the caption of its hidden caption label.
        QCOMPARE(QAccessible::queryAccessibleInterface(label("LabEsatto"))->text(QAccessible::Name), QString());
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
        enter();
        QCOMPARE(label("LabEsatto")->text(), QStringLiteral("4006381333931"));
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
        typeInField(QStringLiteral("4006381333932"));
        enter();
        QVERIFY(textContrast(label("LabRisultato")) >= 4.5);
        QVERIFY(textContrast(label("LabEsatto")) >= 4.5);
        QCOMPARE(label("LabEsatto")->grab().toImage().pixelColor(3, 3), QColor(Qt::white));  // the box stays white
        QTest::mouseDClick(label("LabEsatto"), Qt::LeftButton);
        enter();  // exact: the box takes the theme's button face
        QCOMPARE(label("LabEsatto")->grab().toImage().pixelColor(3, 3), QColor(QRgb(0x353535)));
        QApplication::setPalette(light);
    }

    void menusOfferOnlyWhatWorks() {
        const QStringList fieldMenu = contextMenu(field());
        QVERIFY(fieldMenu.filter(QStringLiteral("Incolla")).value(0).contains(QStringLiteral("Ctrl+V")));
        for (const char* refused : {"Ctrl+Z", "Ctrl+X", "Ctrl+C", "Ctrl+A"})
            QVERIFY2(fieldMenu.filter(QLatin1String(refused)).isEmpty(), refused);
        QVERIFY(fieldMenu.size() >= 6);  // the entries themselves stay

        typeInField(QStringLiteral("400638133393"));
        enter();
        QApplication::clipboard()->clear();
        QVERIFY(contextMenu(label("LabEsatto"), QStringLiteral("Copia")).contains(QStringLiteral("Copia")));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("4006381333931"));
        QCOMPARE(field()->text(), QStringLiteral("400638133393"));  // copying changes nothing
    }

    void aboutBoxShowsTheVersionInformation() {
        MessageBoxes boxes;
        find<QAction>("MenuAbout")->trigger();
        QCOMPARE(boxes.seen.size(), 1u);
        QVERIFY(boxes.seen[0].text.startsWith(QStringLiteral("Velbarino - Versione 1.00\r\r")));
        QVERIFY(boxes.seen[0].text.contains(QStringLiteral("\rVerifica dei codici a barre in formato EAN-8 ed EAN-13\r")));
        QCOMPARE(boxes.seen[0].title, QStringLiteral("Informazioni su..."));
        QCOMPARE(boxes.seen[0].icon, QMessageBox::Information);
        QCOMPARE(endRequests, 0);
    }

    void closeRequestEndsTheProgramWithoutQuestion() {
        MessageBoxes boxes;
        typeInField(QStringLiteral("400638133393"));
        enter();
        program->window().close();
        QCOMPARE(endRequests, 1);
        QCOMPARE(boxes.seen.size(), 0u);
        QVERIFY(program->window().isVisible());  // the window's own closing was cancelled
        find<QAction>("MenuFine")->trigger();
        QCOMPARE(endRequests, 2);
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
