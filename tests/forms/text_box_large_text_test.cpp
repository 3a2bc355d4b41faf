// What a text box holds and shows: a large text whole and from the top, a
// text given while it is hidden once it is shown, nothing from a character of
// code 0 on, and typed line breaks as CR LF.
#include "single_line_text_box.h"
#include "text_box.h"

#include <QScrollBar>
#include <QTest>

using namespace glyphmill;

class TextBoxTextTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void holdsAndShows_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<bool>("hidden");
        QString lines;
        for (int i = 0; i < 5000; ++i)
            lines += QStringLiteral("%1\r\n").arg(i % 256, 8, 2, QChar(u'0'));
        const QString nul(QChar(u'\0'));
        QTest::newRow("5000 lines of digits") << lines << lines << false;
        QTest::newRow("given while hidden") << "01000001\r\n01000010"
                                            << "01000001\r\n01000010" << true;
        QTest::newRow("NUL inside: the part before it") << "ab" + nul + "cd"
                                                        << "ab" << false;
        QTest::newRow("NUL first: nothing") << nul + "ab"
                                            << "" << false;
    }

    void holdsAndShows() {
        QFETCH(QString, text);
        QFETCH(QString, kept);
        QFETCH(bool, hidden);
        QWidget window;
        auto *box = new TextBox(&window);
        box->setGeometry(0, 0, 200, 150);
        box->setHidden(hidden);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        box->SetText(QStringLiteral("earlier"));
        box->moveCursor(QTextCursor::End);
        box->SetText(text);
        QCOMPARE(box->Text(), kept);
        box->show();
        QCOMPARE(box->toPlainText(),
                 QString(kept).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QCOMPARE(box->verticalScrollBar()->value(), 0);
        SingleLineTextBox numberBox(nullptr);
        numberBox.SetText(QString(text).remove(QStringLiteral("\r\n")));
        QCOMPARE(numberBox.Text(), QString(kept).remove(QStringLiteral("\r\n")));
    }

    void typedLineBreaksAreCrLf() {
        TextBox box(nullptr);
        box.show();
        box.SetText(QStringLiteral("end"));
        QTest::keyClicks(&box, QStringLiteral("A"));
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(box.Text(), QStringLiteral("A\r\nend"));
    }
};

QTEST_MAIN(TextBoxTextTest)
#include "text_box_large_text_test.moc"
