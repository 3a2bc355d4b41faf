// Parts of the form runtime without a window: how a text goes into a document
// and comes back (line ends where the text goes in pieces, block ends, no
// block long; the characters the document would take for line ends are tested
// through the answer box, cuts inside lines through the input box); how the
// changes a document reports during one edit become one replacement that undo
// can take back; and how a failure in a handler ends (an error of a value
// operation is reported and the program goes on; anything else is reported
// and ends the program with status 1, whichever handler it came from).
#include "runtime/forms/document_filler.h"
#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/pending_edit.h"
#include "runtime/forms/text_cuts.h"

#include <QGuiApplication>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <functional>
#include <new>
#include <stdexcept>

using namespace glyphmill;
using Handler = std::function<void()>;
Q_DECLARE_METATYPE(Handler)

class FormPartsTest : public QObject {
    Q_OBJECT

    // What the event loop returns while the program goes on.
    static constexpr int kGoesOn = -1;

  private Q_SLOTS:
    void fill_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("blocks"); // 0: as many as keep each short
        QTest::addColumn<QString>("readBack");
        // Line ends about where the text goes in pieces ("|"), each read back as CR LF.
        for (const int piece : {1, 2}) {
            for (const QString end : {"\r|\n", "|\r\n", "\r|", "|\n", "\r\r|\n", "\n|\r"}) {
                const QString text = QString((piece << 20) - end.indexOf(u'|'), u'a') +
                                     QString(end).remove(u'|') + u'b';
                QString read = QString(text).replace("\r\n", "\n").replace(u'\r', u'\n');
                const QString name = QString(end).replace(u'\r', "CR").replace(u'\n', "LF");
                QTest::addRow("%dM %s", piece, qPrintable(name))
                    << text << 0 << read.replace("\n", "\r\n");
            }
        }
        const QString line = QStringLiteral("01\r\n");
        QTest::newRow("255 lines") << line.repeated(255) << 1 << line.repeated(255);
        QTest::newRow("256 lines: a block ends") << line.repeated(256) << 2 << line.repeated(256);
        QTest::newRow("512 lines and a bit")
            << line.repeated(512) + u'1' << 3 << line.repeated(512) + u'1';
    }
    void fill() {
        QFETCH(QString, text);
        QFETCH(QString, readBack);
        QTextDocument document;
        QTextCursor cursor(&document);
        // Exact when all line ends were CR LF.
        QCOMPARE(DocumentFiller().insert(cursor, text), readBack == text);
        QFETCH(int, blocks);
        if (blocks > 0)
            QCOMPARE(document.blockCount(), blocks);
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            QVERIFY(block.length() <= BlockCutter::kBlockLength + 1);
        QCOMPARE(DocumentFiller::textOf(TextCuts::heldText(document)), readBack);
        // The same text as single-byte characters goes in the same way.
        const QByteArray latin1 = text.toLatin1();
        QTextDocument narrow;
        QTextCursor start(&narrow);
        DocumentFiller().insert(start, QLatin1StringView(latin1));
        QCOMPARE(TextCuts::heldText(narrow), TextCuts::heldText(document));
    }

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
        QTextDocument document;
        document.setPlainText(text);
        PendingEdit edit(document, announced.x(), announced.y(), read.x(), read.y());
        QFETCH(QStringList, steps);
        for (const QString &step : steps) {
            const QStringList part = step.split(u' ');
            const int at = part[0].toInt(), removed = part[1].toInt();
            const bool alone = part[2].startsWith(u'=');
            QTextCursor cursor(&document);
            cursor.setPosition(at);
            cursor.setPosition(at + removed, QTextCursor::KeepAnchor);
            if (!alone)
                cursor.insertText(part[2]);
            edit.change(at, removed, alone ? part[2].mid(1).toInt() : int(part[2].size()));
        }
        const auto made = edit.unknown() ? PendingEdit::Replacement{-1, "unknown"} : edit.take();
        QTEST(QStringLiteral("%1 %2 %3").arg(made.position).arg(made.before).arg(made.afterLength),
              "result");
    }

    void failureInHandler_data() {
        QTest::addColumn<Handler>("handler");
        QTest::addColumn<QString>("report");
        QTest::addColumn<int>("status");
        QTest::newRow("overflow goes on") << Handler([] { throw RuntimeError::overflow(); })
                                          << "Run-time error '6':\n\nOverflow" << kGoesOn;
        QTest::newRow("memory running out in a called handler ends")
            << Handler([] { EventDispatch::run([] { throw std::bad_alloc(); }); })
            << "Run-time error '7':\n\nOut of memory" << 1;
        QTest::newRow("another failure ends")
            << Handler([] { throw std::length_error("too long"); })
            << "Run-time error '51':\n\nInternal error" << 1;
        QTest::newRow("no failure goes on") << Handler([] {}) << QString() << kGoesOn;
    }
    void failureInHandler() {
        QFETCH(Handler, handler);
        QStringList reports;
        EventDispatch::setReportSink(
            [&reports](const QString &, const QString &text) { reports << text; });
        // The program's own loop: once told to end, a nested loop would not run.
        QTimer::singleShot(0, [&handler] {
            EventDispatch::run(handler);
            if (!EventDispatch::programEnded())
                QCoreApplication::exit(kGoesOn);
        });
        QTEST(QCoreApplication::exec(), "status");
        QTEST(reports.join(u'|'), "report");
        // An ended program runs no further handler.
        bool ran = false;
        EventDispatch::run([&ran] { ran = true; });
        QCOMPARE(ran, !EventDispatch::programEnded());
    }
    void cleanup() {
        EventDispatch::clearProgramEnded();
        EventDispatch::setReportSink({});
    }
};

QTEST_MAIN(FormPartsTest)
#include "form_parts_test.moc"
