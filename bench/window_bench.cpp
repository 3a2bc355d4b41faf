// The main window with big texts, one measurement per run so that the peak
// memory it prints is that measurement's own:
//   window_bench convert MB KIND [runs]          "DO!!!" until the answer is
//                                               shown, and the conversion alone;
//                                               KIND: ascii (one line of text),
//                                               lines (text in lines of 80),
//                                               binary (digit lines)
//   window_bench paste MB [runs]                 a paste into the input box
//   window_bench idle MB [seconds] [BOX]         CPU ticks of an idle window
//                                               with MB digits on one line in
//                                               BOX (Text1, or Text5: the
//                                               number box), which has the focus
//   window_bench extents MB [runs]               a screen reader's first
//                                               character extents in a line of
//                                               MB zero-width spaces
//   window_bench undo MB [pastes]                memory after repeated pastes
//   window_bench methods MB [runs]               ways to give a box the answer
//   window_bench line MB [runs]                  a paste of MB digits without a
//                                               line break, a key typed, Ctrl+Z,
//                                               a key typed in its middle
//   window_bench copy MB [runs]                  Ctrl+A, Ctrl+C in an answer box
//                                               of MB characters
//   window_bench firstkey MB                     the first key typed into an
//                                               answer of MB characters that
//                                               "DO!!!" gave, then Ctrl+Z
// MB is in millions of characters (fractions allowed). Times are of CPU
// (GLYPHMILL_BENCH_WALL=1: of the clock). Runs headless
// (offscreen) unless QT_QPA_PLATFORM says otherwise. GLYPHMILL_BENCH_READER=1
// measures as with a screen reader attached: accessibility is on, every edit
// is reported and the boxes are asked for their caret and text after each
// step.
#include "codec/binary_to_text.h"
#include "codec/text_to_binary.h"
#include "main_window/form1.h"
#include "runtime/forms/command_button.h"
#include "runtime/forms/default_instances.h"
#include "runtime/forms/option_button.h"
#include "runtime/forms/program.h"
#include "runtime/forms/qt_text.h"
#include "runtime/forms/single_line_text_box.h"
#include "runtime/forms/text_box.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QPlainTextDocumentLayout>
#include <QTest>
#include <QTextDocument>

#include <malloc.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace glyphmill;
using Clock = std::chrono::steady_clock;
using Action = std::function<void()>;

// Set by GLYPHMILL_BENCH_READER: what a screen reader asks after each step.
std::function<void()> s_readerQuestions;

void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    if (s_readerQuestions)
        s_readerQuestions();
}

// Milliseconds of this process's CPU time (user and system).
double cpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// `work` and the events it leaves, such as the repaint, in milliseconds: of
// CPU time unless GLYPHMILL_BENCH_WALL is set. CPU time does not depend on
// how busy a shared machine is.
double timedMs(const Action &work) {
    static const bool wall = qEnvironmentVariableIsSet("GLYPHMILL_BENCH_WALL");
    settle();
    const auto start = Clock::now();
    const double cpuStart = cpuMs();
    work();
    settle();
    return wall ? std::chrono::duration<double, std::milli>(Clock::now() - start).count()
                : cpuMs() - cpuStart;
}

double median(std::vector<double> series) {
    std::sort(series.begin(), series.end());
    return series[series.size() / 2];
}

long peakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

long statusKiB(const char *field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string name = std::string(field) + ':';
    while (std::getline(status, line)) {
        if (line.rfind(name, 0) == 0)
            return std::strtol(line.c_str() + name.size(), nullptr, 10);
    }
    return 0;
}

long currentKiB() {
    return statusKiB("VmRSS");
}

// The peak memory since the last call, from the current memory on: Linux
// starts the peak again when "5" is written to clear_refs.
long peakFromNowKiB() {
    const long peak = statusKiB("VmHWM");
    std::ofstream("/proc/self/clear_refs") << "5";
    return peak;
}

// User plus system CPU ticks of this process so far.
long cpuTicks() {
    std::ifstream stat("/proc/self/stat");
    std::string all((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(all.substr(all.rfind(')') + 2));
    std::string field;
    long utime = 0;
    long stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14)
            utime = std::stol(field);
        if (i == 15)
            stime = std::stol(field);
    }
    return utime + stime;
}

template <typename T> T *child(const char *name) {
    QWidget *window = &defaultInstance<Form1>().window();
    T *found = window->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control named %s", name);
    return found;
}

// A screen reader follows the caret: it asks for the caret, the line and the
// character there, and the text's length.
void attachReader() {
    QAccessible::setActive(true);
    s_readerQuestions = [] {
        for (const char *name : {"Text1", "Text3"}) {
            QAccessibleTextInterface *reader =
                QAccessible::queryAccessibleInterface(child<TextBox>(name))->textInterface();
            const int caret = reader->cursorPosition();
            int start = 0;
            int end = 0;
            (void)reader->textAtOffset(caret, QAccessible::LineBoundary, &start, &end);
            (void)reader->textAtOffset(caret, QAccessible::CharBoundary, &start, &end);
            (void)reader->characterCount();
        }
    };
}

QString printableText(qsizetype length) {
    std::mt19937 random(5);
    QString text(length, Qt::Uninitialized);
    for (QChar &c : text)
        c = QChar(static_cast<char16_t>(0x20 + random() % 95));
    return text;
}

QString digitLinesOf(const QString &text) {
    const std::string answer = textToBinary(textView(text)).answer;
    return QString::fromLatin1(answer.data(), static_cast<qsizetype>(answer.size()));
}

// Input of `millions` million characters: printable text for "Ascii To
// Binary", digit lines (what that gives) for "Binary To Ascii".
QString inputOf(double millions, bool ascii) {
    const auto length = static_cast<qsizetype>(millions * 1e6);
    return ascii ? printableText(length) : digitLinesOf(printableText(length / 10));
}

// Printable text in lines of 78 characters and CR LF.
QString textInLines(double millions) {
    QString text = printableText(static_cast<qsizetype>(millions * 1e6));
    for (qsizetype at = 78; at + 1 < text.size(); at += 80) {
        text[at] = u'\r';
        text[at + 1] = u'\n';
    }
    return text;
}

void convert(double millions, const QString &kind, int runs) {
    const bool ascii = kind != QLatin1String("binary");
    const QString input =
        kind == QLatin1String("lines") ? textInLines(millions) : inputOf(millions, ascii);
    child<OptionButton>(ascii ? "Option1" : "Option2")->SetValue(true);
    child<TextBox>("Text1")->SetText(input);
    settle();
    const long inputPeak = peakKiB();
    auto *text3 = child<TextBox>("Text3");
    std::vector<double> alone;
    std::vector<double> whole;
    for (int run = 0; run < runs; ++run) {
        alone.push_back(timedMs([&] {
            if (ascii)
                (void)textToBinary(textView(input));
            else
                (void)binaryToText(textView(input));
        }));
        text3->SetText(QString());
        whole.push_back(timedMs([] { child<CommandButton>("Command1")->click(); }));
    }
    // The peak before the answer is read back: reading a large answer makes
    // a copy of it.
    const long peak = peakKiB();
    std::printf("%s, %lld characters in, %lld out: conversion alone %.1f ms, \"DO!!!\" until "
                "shown %.1f ms (medians of %d), peak memory %ld MiB (%ld MiB with the input "
                "shown, before \"DO!!!\")\n",
                ascii ? "Ascii To Binary" : "Binary To Ascii", static_cast<long long>(input.size()),
                static_cast<long long>(text3->Text().size()), median(alone), median(whole), runs,
                peak / 1024, inputPeak / 1024);
}

void selectAllAndPaste(TextBox *box) {
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

void paste(double millions, int runs) {
    const QString text = inputOf(millions, false);
    QApplication::clipboard()->setText(text);
    auto *text1 = child<TextBox>("Text1");
    text1->setFocus();
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        text1->SetText(QString());
        times.push_back(timedMs([&] { selectAllAndPaste(text1); }));
    }
    if (text1->Text() != text)
        qFatal("the paste was not taken whole");
    std::printf("paste of %lld characters of digit lines into the input box: %.1f ms (median of "
                "%d), peak memory %ld MiB\n",
                static_cast<long long>(text.size()), median(times), runs, peakKiB() / 1024);
}

void idle(double millions, int seconds, const QString &box) {
    QString line = digitLinesOf(printableText(static_cast<qsizetype>(millions * 1e6 / 8)));
    line.remove(QStringLiteral("\r\n"));
    if (box == QLatin1String("Text5")) {
        auto *text5 = child<SingleLineTextBox>("Text5");
        text5->SetText(line);
        text5->setFocus();
        text5->end(false);
    } else {
        auto *text1 = child<TextBox>("Text1");
        text1->SetText(line);
        text1->setFocus();
        text1->moveCursor(QTextCursor::End);
    }
    settle();
    // Let the window lay out and paint the line first, then count.
    QTest::qWait(3000);
    const long before = cpuTicks();
    QElapsedTimer timer;
    timer.start();
    QTest::qWait(seconds * 1000);
    const long ticks = cpuTicks() - before;
    std::printf("idle window, %lld digits on one line in %s, caret in it: %ld CPU "
                "ticks in %.1f s (%.1f%% of a core)\n",
                static_cast<long long>(line.size()), qPrintable(box), ticks,
                timer.elapsed() / 1000.0,
                100.0 * static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK)) /
                    (static_cast<double>(timer.elapsed()) / 1000.0));
}

void undo(double millions, int pastes) {
    const QString text = printableText(static_cast<qsizetype>(millions * 1e6));
    QApplication::clipboard()->setText(text);
    auto *text1 = child<TextBox>("Text1");
    text1->setFocus();
    settle();
    const long start = currentKiB();
    for (int i = 1; i <= pastes; ++i) {
        selectAllAndPaste(text1);
        settle();
        if (i == 1 || i % 5 == 0)
            std::printf("after paste %2d: %ld MiB (%+ld MiB from the start)\n", i,
                        currentKiB() / 1024, (currentKiB() - start) / 1024);
    }
    QTest::keyClick(text1, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(text1, Qt::Key_Delete);
    settle();
    std::printf("after clearing the box: %ld MiB (%+ld MiB from the start)\n", currentKiB() / 1024,
                (currentKiB() - start) / 1024);
}

// A line of `millions` million digits pasted into the input box, then a
// key typed at its end and taken back.
void longLine(double millions, int runs) {
    const QString line(static_cast<qsizetype>(millions * 1e6), u'1');
    QApplication::clipboard()->setText(line);
    auto *text1 = child<TextBox>("Text1");
    text1->setFocus();
    std::vector<double> pastes;
    std::vector<double> keys;
    std::vector<double> undos;
    std::vector<double> middles;
    for (int run = 0; run < runs; ++run) {
        text1->SetText(QString());
        pastes.push_back(timedMs([&] { selectAllAndPaste(text1); }));
        keys.push_back(timedMs([&] { QTest::keyClick(text1, Qt::Key_0); }));
        undos.push_back(timedMs([&] { QTest::keyClick(text1, Qt::Key_Z, Qt::ControlModifier); }));
        // In the middle the caret's block is full.
        QTextCursor middle(text1->document());
        middle.setPosition(text1->document()->characterCount() / 2);
        text1->setTextCursor(middle);
        middles.push_back(timedMs([&] { QTest::keyClick(text1, Qt::Key_0); }));
        QTest::keyClick(text1, Qt::Key_Z, Qt::ControlModifier);
    }
    if (text1->Text() != line)
        qFatal("the line was not taken whole");
    std::printf("%lld digits on one line: paste %.1f ms, a key typed at its end %.1f ms, Ctrl+Z "
                "%.1f ms, a key typed in its middle %.1f ms (medians of %d), peak memory %ld "
                "MiB\n",
                static_cast<long long>(line.size()), median(pastes), median(keys), median(undos),
                median(middles), runs, peakKiB() / 1024);
}

// The extents of the first character as a screen reader asks for them: in a
// line of zero-width spaces that the input box shows whole, in the answer
// box full of short digit lines, which the layout places one by one, and in
// a line of digits that the input box wraps.
void extents(double millions, int runs) {
    const auto firstExtents = [runs](const char *name, const QString &text) {
        auto *box = child<TextBox>(name);
        QAccessibleTextInterface *reader =
            QAccessible::queryAccessibleInterface(box)->textInterface();
        std::vector<double> times;
        for (int run = 0; run < runs; ++run) {
            box->SetText(text);
            box->setFocus();
            box->moveCursor(QTextCursor::Start);
            settle();
            // The query alone: the box's own caret blink and repaints are not its.
            const double start = cpuMs();
            reader->characterRect(0);
            times.push_back(cpuMs() - start);
        }
        return median(times);
    };
    const auto length = static_cast<qsizetype>(millions * 1e6);
    const double zeroWidth = firstExtents("Text1", QString(length, QChar(0x200b)));
    const double digitLines = firstExtents("Text3", digitLinesOf(printableText(length / 10)));
    const double digitLine = firstExtents("Text1", QString(length, u'1'));
    std::printf("character extents in a line of %lld zero-width spaces: %.1f ms; among %lld "
                "digit lines: %.1f ms; in one line of as many digits: %.1f ms (medians of %d)\n",
                static_cast<long long>(length), zeroWidth, static_cast<long long>(length / 10),
                digitLines, digitLine, runs);
}

// The answer box with `millions` million characters of digit lines: all of
// it selected, then copied and read back as another program would.
void copyAnswer(double millions, int runs) {
    const QString answer = digitLinesOf(printableText(static_cast<qsizetype>(millions * 1e6 / 10)));
    auto *text3 = child<TextBox>("Text3");
    text3->SetText(answer);
    text3->setFocus();
    settle();
    std::vector<double> selects;
    std::vector<double> copies;
    qsizetype copied = 0;
    for (int run = 0; run < runs; ++run) {
        text3->moveCursor(QTextCursor::Start);
        selects.push_back(timedMs([&] { QTest::keyClick(text3, Qt::Key_A, Qt::ControlModifier); }));
        copies.push_back(timedMs([&] {
            QTest::keyClick(text3, Qt::Key_C, Qt::ControlModifier);
            copied = QApplication::clipboard()->text().size();
        }));
    }
    std::printf("answer box of %lld characters: Ctrl+A %.1f ms, Ctrl+C and reading the clipboard "
                "%.1f ms (%lld characters; medians of %d), peak memory %ld MiB\n",
                static_cast<long long>(answer.size()), median(selects), median(copies),
                static_cast<long long>(copied), runs, peakKiB() / 1024);
}

// "DO!!!" on printable text that gives an answer of `millions` million
// characters; then, in the answer box, the first key typed and Ctrl+Z, each
// with the memory it added at its peak and kept.
void firstKey(double millions) {
    child<OptionButton>("Option1")->SetValue(true);
    child<TextBox>("Text1")->SetText(printableText(static_cast<qsizetype>(millions * 1e5)));
    child<CommandButton>("Command1")->click();
    auto *text3 = child<TextBox>("Text3");
    text3->setFocus();
    QTest::keyClick(text3, Qt::Key_End, Qt::ControlModifier);
    settle();
    const auto measured = [&](const char *what, const Action &work) {
        malloc_trim(0);
        peakFromNowKiB();
        const long start = currentKiB();
        const double ms = timedMs(work);
        const long peak = peakFromNowKiB();
        std::printf("  %s: %.1f ms, memory %+ld MiB at the peak, %+ld MiB kept\n", what, ms,
                    (peak - start) / 1024, (currentKiB() - start) / 1024);
    };
    std::printf("answer of %lld characters (%lld in the document, %ld MiB in all):\n",
                static_cast<long long>(millions * 1e6),
                static_cast<long long>(text3->document()->characterCount() - 1),
                currentKiB() / 1024);
    measured("the first key typed", [&] { QTest::keyClick(text3, Qt::Key_1); });
    measured("a second key", [&] { QTest::keyClick(text3, Qt::Key_0); });
    measured("Ctrl+Z", [&] { QTest::keyClick(text3, Qt::Key_Z, Qt::ControlModifier); });
    measured("Ctrl+A, then Delete", [&] {
        QTest::keyClick(text3, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(text3, Qt::Key_Delete);
    });
    measured("Ctrl+Z", [&] { QTest::keyClick(text3, Qt::Key_Z, Qt::ControlModifier); });
    // The clipboard holds other digit lines of the same length, as another
    // program would.
    QApplication::clipboard()->setText(
        QStringLiteral("01010101\r\n").repeated(static_cast<qsizetype>(millions * 1e5)));
    measured("Ctrl+A, then Ctrl+V of as many characters", [&] { selectAllAndPaste(text3); });
    measured("Ctrl+Z", [&] { QTest::keyClick(text3, Qt::Key_Z, Qt::ControlModifier); });
    measured("Ctrl+Y", [&] { QTest::keyClick(text3, Qt::Key_Y, Qt::ControlModifier); });
}

// The ways a plain text box can take a large text.
struct Method {
    const char *name;
    std::function<void(QPlainTextEdit &, const QString &)> set;
};

QTextDocument *plainDocument(QPlainTextEdit &edit) {
    auto *document = new QTextDocument(&edit);
    document->setDocumentLayout(new QPlainTextDocumentLayout(document));
    document->setDefaultFont(edit.font());
    return document;
}

// The lines of `text` with every `group` lines in one text block: line
// separators inside a block, paragraph separators between blocks.
QString grouped(const QString &text, int group) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    int count = 0;
    for (QChar &c : lines) {
        if (c == QChar::LineSeparator && ++count % group == 0)
            c = QChar::ParagraphSeparator;
    }
    return lines;
}

std::vector<Method> methods() {
    // The grouped text is made once, outside the median.
    const auto groupedBy = [](int group, qsizetype piece = 0) {
        auto made = std::make_shared<QString>();
        return [group, piece, made](QPlainTextEdit &edit, const QString &text) {
            if (made->isEmpty())
                *made = grouped(text, group);
            if (piece == 0)
                return edit.document()->setPlainText(*made);
            edit.document()->setPlainText(QString());
            QTextCursor cursor(edit.document());
            for (qsizetype at = 0; at < made->size(); at += piece)
                cursor.insertText(made->mid(at, piece));
        };
    };
    return {
        {"setPlainText",
         [](QPlainTextEdit &edit, const QString &text) { edit.setPlainText(text); }},
        {"setPlainText, undo off",
         [](QPlainTextEdit &edit, const QString &text) {
             edit.setUndoRedoEnabled(false);
             edit.setPlainText(text);
         }},
        {"document()->setPlainText",
         [](QPlainTextEdit &edit, const QString &text) { edit.document()->setPlainText(text); }},
        {"fresh document, filled, then set",
         [](QPlainTextEdit &edit, const QString &text) {
             QTextDocument *document = plainDocument(edit);
             document->setPlainText(text);
             edit.setDocument(document);
         }},
        {"one block, line separators", groupedBy(1 << 30)},
        {"blocks of 16 lines", groupedBy(16)},
        {"blocks of 128 lines", groupedBy(128)},
        {"blocks of 1024 lines", groupedBy(1024)},
        {"blocks of 256 lines", groupedBy(256)},
        {"blocks of 256 lines, 1M pieces", groupedBy(256, 1 << 20)},
        {"blocks of 256 lines, 64K pieces", groupedBy(256, 1 << 16)},
        {"TextBox::SetText (as built)",
         [](QPlainTextEdit &edit, const QString &text) {
             static_cast<TextBox &>(edit).SetText(text);
         }},
    };
}

void compareMethods(double millions, int runs) {
    const QString answer = digitLinesOf(printableText(static_cast<qsizetype>(millions * 1e6)));
    std::printf("Ways to give a text box %lld characters of digit lines, ms: median of %d, then "
                "scrolling to the end and back\n",
                static_cast<long long>(answer.size()), runs);
    for (const Method &method : methods()) {
        QWidget window;
        window.resize(480, 400);
        auto *box = new TextBox(&window);
        box->setGeometry(240, 24, 217, 193);
        window.show();
        settle();
        std::vector<double> times;
        std::vector<double> scrolls;
        for (int run = 0; run < runs; ++run) {
            box->SetText(QString());
            times.push_back(timedMs([&] { method.set(*box, answer); }));
            scrolls.push_back(timedMs([&] {
                box->moveCursor(QTextCursor::End);
                settle();
                box->moveCursor(QTextCursor::Start);
            }));
        }
        std::printf("  %-34s %9.1f %9.1f\n", method.name, median(times), median(scrolls));
    }
}

} // namespace

int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QApplication app(argc, argv);
    Program::configure(app);
    const QStringList args = QCoreApplication::arguments();
    const QString mode = args.value(1, QStringLiteral("convert"));
    const double millions = args.value(2, QStringLiteral("1")).toDouble();
    const auto count = [&](int at, int fallback) {
        const int given = args.value(at).toInt();
        return given > 0 ? given : fallback;
    };
    {
        Form1 &form = defaultInstance<Form1>();
        form.Show();
        settle();
        if (qEnvironmentVariableIsSet("GLYPHMILL_BENCH_READER"))
            attachReader();
        if (mode == QLatin1String("convert"))
            convert(millions, args.value(3), count(4, 5));
        else if (mode == QLatin1String("paste"))
            paste(millions, count(3, 5));
        else if (mode == QLatin1String("idle"))
            idle(millions, count(3, 10), args.value(4, QStringLiteral("Text1")));
        else if (mode == QLatin1String("extents"))
            extents(millions, count(3, 3));
        else if (mode == QLatin1String("undo"))
            undo(millions, count(3, 20));
        else if (mode == QLatin1String("line"))
            longLine(millions, count(3, 3));
        else if (mode == QLatin1String("firstkey"))
            firstKey(millions);
        else if (mode == QLatin1String("copy"))
            copyAnswer(millions, count(3, 3));
        else if (mode == QLatin1String("methods"))
            compareMethods(millions, count(3, 5));
        else
            qFatal("unknown mode; see the top of window_bench.cpp");
    }
    DefaultInstances::clear();
    return 0;
}
