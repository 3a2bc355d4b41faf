// How a text goes into a document without a window, and comes back: line
// ends where the text goes in pieces, block ends, and no block long. (The
// characters the document would take for line ends are tested through the
// answer box; cuts inside lines through the input box.)
#include "runtime/forms/document_filler.h"
#include "runtime/forms/text_cuts.h"

#include <QTextBlock>

#include <QGuiApplication>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

using namespace glyphmill;

namespace {

constexpr qsizetype kMiB = qsizetype{1} << 20;

// `before` characters, the line end `lineEnd`, and one more character.
QString around(qsizetype before, const char *lineEnd) {
    return QString(before, u'a') + QLatin1String(lineEnd) + u'b';
}

} // namespace

class DocumentFillerTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void fill_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("blocks"); // 0: as many as keep each short
        QTest::addColumn<QString>("readBack");
        const auto row = [](const char *name, const QString &text, int, int blocks,
                            const QString &readBack) {
            QTest::newRow(name) << text << (text.size() > (1 << 14) ? 0 : blocks) << readBack;
        };
        for (const qsizetype at : {kMiB, 2 * kMiB}) {
            const QByteArray where = at == kMiB ? " 1M" : " 2M";
            row("CR LF across" + where, around(at - 1, "\r\n"), 1, 1, around(at - 1, "\r\n"));
            row("CR LF after" + where, around(at, "\r\n"), 1, 1, around(at, "\r\n"));
            row("lone CR ending" + where, around(at - 1, "\r"), 1, 1, around(at - 1, "\r\n"));
            row("lone LF after" + where, around(at, "\n"), 1, 1, around(at, "\r\n"));
            row("CR, then CR LF across" + where, around(at - 2, "\r\r\n"), 2, 1,
                around(at - 2, "\r\n\r\n"));
            row("LF CR across" + where, around(at - 1, "\n\r"), 2, 1, around(at - 1, "\r\n\r\n"));
        }
        const QString line = QStringLiteral("01\r\n");
        row("255 lines", line.repeated(255), 255, 1, line.repeated(255));
        row("256 lines: a block ends", line.repeated(256), 256, 2, line.repeated(256));
        row("512 lines and a bit", line.repeated(512) + u'1', 512, 3, line.repeated(512) + u'1');
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
};

QTEST_MAIN(DocumentFillerTest)
#include "document_filler_test.moc"
