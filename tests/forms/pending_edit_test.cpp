// How the changes a document reports during one edit become one replacement
// that undo can take back, without a copy of the whole document.
#include "runtime/forms/pending_edit.h"

#include <QGuiApplication>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

using namespace glyphmill;

class PendingEditTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // Steps "AT REMOVED TEXT": the edit made and reported as it is; "AT
    // REMOVED =ADDED": reported alone. The edit is announced for
    // `announced` and reads `read` first (from, to).
    void replacement_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QPoint>("announced");
        QTest::addColumn<QPoint>("read");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("result"); // "AT BEFORE AFTER_LENGTH"
        QTest::newRow("a removal, then an insertion further on")
            << "abcdef" << QPoint(1, 2) << QPoint(0, 6) << QStringList{"1 1 ", "3 0 XY"}
            << "1 bcd 4";
        QTest::newRow("reported over everything: what did not change is left out")
            << "abcdef" << QPoint(2, 3) << QPoint(0, 6) << QStringList{"2 1 ", "0 5 =5"} << "2 c 0";
        QTest::newRow("a block cut again beyond what was read, the text between read then")
            << "abc\u2029def" << QPoint(1, 2) << QPoint(1, 2) << QStringList{"1 1 ", "5 0 \u2029"}
            << "1 bc\u2029de 5";
        QTest::newRow("a block end joined, read before")
            << "abc\u2029def" << QPoint(4, 4) << QPoint(0, 7) << QStringList{"3 1 "}
            << "3 \u2029 0";
        QTest::newRow("a removal beyond what was read")
            << "abcdef" << QPoint(2, 4) << QPoint(2, 4) << QStringList{"4 1 "} << "-1 unknown 0";
        QTest::newRow("a change of format alone")
            << "abc" << QPoint(1, 1) << QPoint(0, 3) << QStringList{"0 3 =3"} << "1  0";
        QTest::newRow("the same text put back")
            << "abc" << QPoint(0, 3) << QPoint(0, 3) << QStringList{"0 3 abc"} << "0  0";
    }
    void replacement() {
        QFETCH(QString, text);
        QFETCH(QPoint, announced);
        QFETCH(QPoint, read);
        QFETCH(QStringList, steps);
        QTextDocument document;
        document.setPlainText(text);
        PendingEdit edit(document, announced.x(), announced.y(), read.x(), read.y());
        for (const QString &step : steps) {
            const int at = step.section(u' ', 0, 0).toInt();
            const int removed = step.section(u' ', 1, 1).toInt();
            const QString added = step.section(u' ', 2);
            const bool alone = added.startsWith(u'=');
            QTextCursor cursor(&document);
            cursor.setPosition(at);
            cursor.setPosition(at + removed, QTextCursor::KeepAnchor);
            if (!alone)
                cursor.insertText(added);
            edit.change(at, removed, alone ? added.mid(1).toInt() : int(added.size()));
        }
        const auto made = edit.unknown() ? PendingEdit::Replacement{-1, "unknown"} : edit.take();
        QTEST(QStringLiteral("%1 %2 %3").arg(made.position).arg(made.before).arg(made.afterLength),
              "result");
    }
};

QTEST_MAIN(PendingEditTest)
#include "pending_edit_test.moc"
