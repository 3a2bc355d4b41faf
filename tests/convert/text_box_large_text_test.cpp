// The answer box takes a large text in one step and a hidden box takes its
// text when it is shown; what the box returns and shows stays the same.
#include "text_box.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>

using glyphmill::TextBox;

class TextBoxLargeTextTest : public QObject {
    Q_OBJECT

  private:
    static QString lines(int count) {
        QString text;
        for (int i = 0; i < count; ++i)
            text += QStringLiteral("%1\r\n").arg(i % 256, 8, 2, QChar(u'0'));
        return text;
    }

  private Q_SLOTS:
    void shownBoxShowsTheTextFromTheTop() {
        QWidget window;
        auto *box = new TextBox(&window);
        box->setGeometry(10, 10, 200, 150);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        box->SetText(QStringLiteral("end"));
        box->moveCursor(QTextCursor::End);
        const QString text = lines(5000);
        box->SetText(text);
        QCOMPARE(box->Text(), text);
        QString shown = text;
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QCOMPARE(box->toPlainText(), shown);
        QCOMPARE(box->textCursor().position(), 0);
        QCOMPARE(box->verticalScrollBar()->value(), 0);
        QVERIFY(!box->document()->isUndoAvailable());
    }

    void hiddenBoxTakesTheTextWhenShown() {
        QWidget window;
        auto *box = new TextBox(&window);
        box->hide();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        box->SetText(QStringLiteral("first"));
        box->SetText(QStringLiteral("01000001\r\n01000010"));
        QCOMPARE(box->Text(), QStringLiteral("01000001\r\n01000010"));
        box->show();
        QCOMPARE(box->toPlainText(), QStringLiteral("01000001\n01000010"));
        QCOMPARE(box->Text(), QStringLiteral("01000001\r\n01000010"));
    }

    void boxOfAWindowNotYetShownTakesTheTextWithTheWindow() {
        QWidget window;
        auto *box = new TextBox(&window);
        box->SetText(QStringLiteral("early"));
        QCOMPARE(box->Text(), QStringLiteral("early"));
        window.show();
        QCOMPARE(box->toPlainText(), QStringLiteral("early"));
    }

    void typingAfterALargeTextIsRead() {
        QWidget window;
        auto *box = new TextBox(&window);
        box->setGeometry(10, 10, 200, 150);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        box->setFocus();
        box->SetText(lines(3));
        QTest::keyClicks(box, QStringLiteral("1"));
        QCOMPARE(box->Text(), QStringLiteral("1") + lines(3));
    }

    void textAfterANulIsDropped() {
        QWidget window;
        auto *box = new TextBox(&window);
        window.show();
        box->SetText(QStringLiteral("ab") + QChar(u'\0') + QStringLiteral("cd"));
        QCOMPARE(box->Text(), QStringLiteral("ab"));
        QCOMPARE(box->toPlainText(), QStringLiteral("ab"));
    }
};

QTEST_MAIN(TextBoxLargeTextTest)
#include "text_box_large_text_test.moc"
