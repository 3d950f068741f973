// Key events to character codes: the traps are the platform differences.
// (Plain keys and Ctrl+letters, typed for real, are in the shared scenarios.)
#include <QTest>

#include "key_codes.h"

namespace velbarino::qt {

class KeyCodesTest : public QObject {
    Q_OBJECT

private slots:
    void characterCodes_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");  // -1: no character, the key goes to the field untouched
        const int ctrl = Qt::ControlModifier;
        QTest::newRow("ctrlVFromX11") << int(Qt::Key_V) << ctrl << QString(QChar(0x16)) << 22;
        QTest::newRow("ctrlVSynthetic") << int(Qt::Key_V) << ctrl << "v" << 22;
        QTest::newRow("ctrlBackspaceIsNotBackspace") << int(Qt::Key_Backspace) << ctrl << QString(QChar(0x7F)) << 127;
        QTest::newRow("keypadEnter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << 13;
        QTest::newRow("altDigitStillCounts") << int(Qt::Key_5) << int(Qt::AltModifier) << "5" << int('5');
        QTest::newRow("deleteCarriesNoCharacter") << int(Qt::Key_Delete) << 0 << QString(QChar(0x7F)) << -1;
        QTest::newRow("arrow") << int(Qt::Key_Left) << 0 << "" << -1;
        QTest::newRow("ctrlDigitIsNoCharacter") << int(Qt::Key_1) << ctrl << "1" << -1;
        QTest::newRow("outsideBmpGivesHighSurrogate") << 0 << 0 << QString::fromUcs4(U"\U0001D7D9") << 0xD835;
    }

    void characterCodes() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(int, code);
        const auto result = characterCode(key, Qt::KeyboardModifiers(modifiers), text);
        if (code < 0) {
            QVERIFY(!result.has_value());
        } else {
            QVERIFY(result.has_value());
            QCOMPARE(static_cast<std::uint16_t>(*result), static_cast<std::uint16_t>(code));
        }
    }
};

}  // namespace velbarino::qt

QTEST_APPLESS_MAIN(velbarino::qt::KeyCodesTest)
#include "key_codes_test.moc"
