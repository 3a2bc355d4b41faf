// The main window as its user drives it: what "DO!!!" writes where, the keys
// of the text boxes, what the windows show and a screen reader reads, and
// faults found by hostile use. Then the windows on other desktops than the
// default light one: texts that read on a dark palette too, windows that open
// on small screens at any scale, and an icon drawn for the scale.
#include "about_window/form2.h"
#include "runtime/forms/command_button.h"
#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/option_button.h"
#include "runtime/forms/program.h"
#include "tests/window_fixture/window_fixture.h"
#include "tip_window/frmtip.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMetaEnum>
#include <QMimeData>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <cmath>

using namespace glyphmill;

const QString kHi = QStringLiteral("01001000\r\n01101001\r\n");
const QString kA = QStringLiteral("01000001\r\n");
const QString kOld = QStringLiteral("old"); // in both answer boxes before "DO!!!"

// The input and the number pasted into their boxes, then the steps: a button
// is clicked, a text box takes the focus and the keys that follow it. What
// the answer box, the number's answer box and the error report then show.
struct Click {
    const char *steps;
    QString input, number, answer, binary = kOld;
    QStringList reports = {};
};

// The contrast of two colours as the web's accessibility guidelines measure
// it, from 1 (none) to 21 (black on white).
static double contrast(const QColor &a, const QColor &b) {
    const auto luminance = [](const QColor &c) {
        const auto linear = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const auto [dark, light] = std::minmax({luminance(a), luminance(b)});
    return (light + 0.05) / (dark + 0.05);
}

Q_DECLARE_METATYPE(Click)

class MainWindowTest : public test::WindowTest {
    Q_OBJECT

  private Q_SLOTS:
    void doButton_data() {
        QTest::addColumn<Click>("row");
        const auto row = [](const char *tag, const Click &click) { QTest::newRow(tag) << click; };
        const QString nines(40000, QChar(u'9'));
        const QString refused = "Run-time error '6':\n\nOverflow\n\nThe number \"" +
                                nines.left(20) +
                                "…\" (40000 digits) was refused: \"Number To "
                                "Binary\" takes numbers from 0 to 1073741824.";
        const QString noCode =
            "Run-time error '5':\n\nCharacter 'Ω' (U+03A9) at position 4 has no 8-bit code";
        // At start Ascii To Binary alone: two lines.
        row("Hi", {"Command1", "Hi", "5", kHi});
        // All of it, shown from the top.
        row("10,000 characters", {"Command1", QString(10000, u'A'), "", kA.repeated(10000)});
        // Codes 255 and 128, then a character without a code.
        row("no code",
            {"Command1", "ÿ€ Ω!", "", "11111111\r\n10000000\r\n00100000\r\n", kOld, {noCode}});
        // A character of code 0 pasted between digits is dropped.
        row("NUL", {"Option2 Command1", "0100" + QString(QChar(u'\0')) + "0001", "", "A"});
        // Number To Binary stays selected, then Binary To Ascii.
        row("stays", {"Option3 Option3 Option1 Option2 Command1", "01000001", "4", "A", "100"});
        row("no number", {"Option3 Command1", "A", "1,5", kA});
        // Refused, kept whole, and no text conversion.
        row("40,000 digits", {"Option3 Command1", "A", nines, kOld, "", {refused}});
        row("F4 in the number box", {"Option3 Text5 F4", "Hi", "5", kOld});
        // F1 in each box turns each way: a box that did nothing, or chose
        // one way always, fails one of these. F4 is DO!!! in either box.
        row("F1 F1 F4 in the answer box", {"Option3 Text1 F1 Text3 F1 F4", "Hi", "5", kHi, "101"});
        row("F1 F1 F4 in the input box",
            {"Option2 Text1 F1 Text3 F1 Text1 F4", "01000001", "5", "A"});
        // The answer copied as the box shows it: no-break space and tab.
        row("no-break space, tab",
            {"Option2 Command1", "01000001101000000100001000001001", "", "A\u00a0B\t"});
        for (const char16_t c : {u'\u2028', u'\u2029', u'\ufdd0', u'\ufdd1'})
            QTest::addRow("U+%x", unsigned(c))
                << Click{"Option2 Command1", "0100" + QString(QChar(c)) + "0001", "", "@€"};
    }

    void doButton() {
        QFETCH(Click, row);
        // A text box keeps nothing from a character of code 0 on.
        control("Text3")->SetText(kOld + QChar(u'\0') + "x");
        control("Text2")->SetText(kOld + QChar(u'\0') + "x");
        paste(control("Text1"), row.input);
        paste(numberBox(), row.number);
        QWidget *box = nullptr;
        for (const QString &step : QString::fromLatin1(row.steps).split(u' '))
            if (step.startsWith(u'F'))
                QTest::keyClick(box, QKeySequence(step)[0].key());
            else if (step.startsWith(u'T'))
                (box = control<QWidget>(qPrintable(step)))->setFocus();
            else
                click(control<QWidget>(qPrintable(step)));
        QCOMPARE(control("Text3")->Text(), row.answer);
        QCOMPARE(control("Text3")->verticalScrollBar()->value(), 0);
        // A copy gives the text alone: no rich text of a selection that may be huge.
        QCOMPARE(copyAll(control("Text3")), QString(row.answer).replace("\r\n", "\n"));
        QCOMPARE(QApplication::clipboard()->mimeData()->formats(), QStringList{"text/plain"});
        QCOMPARE(control("Text2")->Text(), row.binary);
        QCOMPARE(numberBox()->Text(), row.number);
        QCOMPARE(std::exchange(m_reports, {}), row.reports);
    }

    // The captions show in full.
    void windowAtStart() {
        QStringList shown{mainWindow()->windowTitle()};
        for (const char *name : {"Label2", "Label3", "Text1", "Text3", "Command1", "Option1",
                                 "Option2", "Label1", "Text5", "Label4", "Text2", "Option3"}) {
            auto *widget = control<QWidget>(name);
            shown << widget->property("text").toString();
            QVERIFY(widget->isVisible() &&
                    (shown.last().isEmpty() || widget->sizeHint().width() <= widget->width()));
        }
        auto *files = control<QMenu>("mnufiles");
        shown << files->title();
        for (const QAction *item : files->actions())
            shown << item->text();
        QCOMPARE(shown, (QStringList{"Glyphmill", "Your Text  ->  Binary or Ascii:", "Answer:", "",
                                     "", "DO!!!", "Ascii To Binary", "Binary To Ascii",
                                     "Number:", "", "Binary:", "", "Number To Binary", "Files",
                                     "About", "Did U Know", "", "Exit"}));
        QCOMPARE(QApplication::focusWidget(), control("Text1"));
        QVERIFY(!control("Text4")->isVisible());
    }

    // What a screen reader announces for each window and control: its name
    // and its role, and for a box the label that names it on the screen.
    void nameAndRole() {
        // An "&" in a tip is shown as it is, so it must be read as it is.
        write(tipsPath(), "Salt & pepper\r\n");
        QStringList heard;
        for (const char *where :
             {"Form1 Text1", "Form1 Text3", "Form1 Text5", "Form1 Text2", "Form1 Text4",
              "Form1 Command1", "Form1 Option2", "Form1 Frame2", "Form2 Label2(0)", "frmTip",
              "frmTip cmdOK", "frmTip cmdNextTip", "frmTip Label1", "frmTip lblTipText"}) {
            QAccessibleInterface *shown = QAccessible::queryAccessibleInterface(widget(where));
            const auto labels = shown->relations(QAccessible::Label);
            heard << shown->text(QAccessible::Name) + u'/' +
                         QMetaEnum::fromType<QAccessible::Role>().valueToKey(shown->role()) +
                         (labels.isEmpty() ? ""
                                           : "/" + labels.first().first->object()->objectName());
        }
        QCOMPARE(heard,
                 (QStringList{"Your Text/EditableText/Label2", "Answer/EditableText/Label3",
                              "Number/EditableText/Label1", "Binary/EditableText/Label4",
                              "Work/EditableText", "DO!!!/Button", "Binary To Ascii/RadioButton",
                              "/Grouping", "tovrel@example.com/StaticText", "Tip of the Day/Window",
                              "OK/Button", "Next Tip/Button", "Did you know.../StaticText",
                              "Salt & pepper/StaticText"}));
    }

    // Faults found by hostile use of the main window, each as the user met it.
    void errorBoxOutlivesTheAboutWindow() {
        EventDispatch::setReportSink({});
        control<TextBox>("Text1")->SetText(QStringLiteral("A😀"));
        control<QAction>("mnuabout")->trigger();
        // With no window manager the About window stays the active one.
        const QPointer<QWidget> about = &defaultInstance<Form2>().window();
        QVERIFY(QTest::qWaitForWindowActive(about));
        // The real report box: the About window's own timer closes that
        // window while the box is open; then the box is read and closed.
        QString seen;
        QTimer::singleShot(0, this, [&] {
            const bool closed = QTest::qWaitFor([&] { return about.isNull(); }, 20000);
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            seen = closed ? box->text() : QString();
            box->button(QMessageBox::Ok)->click();
        });
        control<CommandButton>("Command1")->click();
        QVERIFY2(seen.endsWith(QStringLiteral("has no 8-bit code")), qPrintable(seen));
    }

    void numberBoxPaste_data() {
        // Pasted between the 1 and the 2 of "12"; what the box keeps; the
        // binary answer, or the report's start.
        QTest::addColumn<QStringList>("row");
        const auto row = [](const char *tag, QStringList cells) { QTest::newRow(tag) << cells; };
        row("CR LF", {"5\r\n6", "152", "10011000"});
        row("LF", {"5\n6\n7", "152", "10011000"});
        row("line break first", {"\n5", "12", "1100"});
        row("character of code 0", {QStringLiteral("3") + QChar(0) + "4", "132", "10000100"});
        row("code 0 first", {QString(QChar(0)) + "4", "12", "1100"});
        const QString n(19, u'9');
        const QString refused = QStringLiteral("The number \"1");
        row("40 characters", {n + n, "1" + n + n + "2", refused + n + n + "2\""});
        row("41 characters", {n + n + "9", "1" + n + n + "92", refused + n + "…\" (41 digits)"});
        row("41 digits in 42 characters", {"e" + n + n + "9", "1e" + n + n + "92",
                                           refused + "e" + n.left(18) + "…\" (41 digits)"});
    }
    void numberBoxPaste() {
        QFETCH(QStringList, row);
        control<OptionButton>("Option3")->SetValue(true);
        // Typed right before the paste: "2", Home, "1".
        QTest::keySequence(numberBox(), QKeySequence("2, Home, 1"));
        paste(numberBox(), row[0]);
        QCOMPARE(numberBox()->Text(), row[1]);
        control<CommandButton>("Command1")->click();
        const QString quoted =
            std::exchange(m_reports, {}).value(0).section(" was", 0, 0).section("\n\n", 2);
        QCOMPARE(control<TextBox>("Text2")->Text() + quoted, row[2]);
        // Ctrl+Z takes back the paste alone, not the "1" typed before it.
        QTest::keySequence(numberBox(), QKeySequence::Undo);
        QCOMPARE(numberBox()->Text(), row[1] == u"12" ? "2" : "12");
    }

    // Every text against what lies behind it, as the widget that shows it
    // paints it, on a light palette and a dark one (made from its window
    // colour); the colours a window sets itself stay as they are.
    void textsRead_data() {
        QTest::addColumn<QColor>("window");
        QTest::addColumn<QString>("shown"); // form, control[, the colours the form sets]
        for (const QColor window : {QColor(0xEF, 0xEF, 0xEF), QColor(0x35, 0x35, 0x35)})
            for (const char *shown :
                 {"Form1 Label2", "Form1 Label3", "Form1 Label1", "Form1 Label4", "Form1 Option1",
                  "Form1 Option3", "Form1 Command1", "Form1 Text1", "Form1 Text5",
                  "Form2 Label1(0)", "Form2 Label2(2)", "frmTip Label1", "frmTip lblTipText",
                  "Form2 Label2(0) #ff00ff on #ffffff", "frmTip Picture1 on #ffffff"})
                QTest::addRow("%s %s", qPrintable(window.name()), shown)
                    << window << QString(shown);
    }

    void textsRead() {
        QFETCH(QColor, window);
        QFETCH(QString, shown);
        QApplication::setPalette(QPalette(window));
        QCoreApplication::processEvents(); // the open windows take the new palette
        QWidget *widget = test::WindowTest::widget(shown);
        if (auto *box = qobject_cast<QAbstractScrollArea *>(widget))
            widget = box->viewport();
        // A widget that fills no background of its own shows the one behind it.
        const QWidget *behind = widget;
        while (!behind->autoFillBackground() && !behind->isWindow())
            behind = behind->parentWidget();
        const QColor text = widget->palette().color(widget->foregroundRole()),
                     back = behind->palette().color(behind->backgroundRole());
        const QString seen = text.name() + " on " + back.name(), fixed = shown.section(u' ', 2);
        QVERIFY2(fixed.isEmpty() ? contrast(text, back) >= 4.5 : seen.endsWith(fixed),
                 qPrintable(seen));
    }

    // At scale 1 the window icon is the program's own 32 pixels; where the
    // scale asks for more it is a drawing of the same design, not those
    // pixels scaled up: 2% of its pixels or more are clearly not theirs.
    void iconAtEveryScale() {
        const QImage own(":/glyphmill/glyphmill.xpm");
        for (const qreal scale : {1.0, 1.5, 2.0, 4.0, 8.0}) {
            const QImage drawn = Program::icon().pixmap(QSize(32, 32), scale).toImage();
            const int size = int(32 * scale);
            QCOMPARE(drawn.size(), QSize(size, size));
            for (const auto mode : {Qt::FastTransformation, Qt::SmoothTransformation}) {
                const QImage copy = own.scaled(size, size, Qt::IgnoreAspectRatio, mode);
                int differing = 0;
                for (int i = 0; i < size * size; ++i) {
                    const QRgb a = drawn.pixelColor(i % size, i / size).rgba(),
                               b = copy.pixelColor(i % size, i / size).rgba();
                    differing +=
                        std::abs(qRed(a) - qRed(b)) > 64 || std::abs(qGreen(a) - qGreen(b)) > 64 ||
                        std::abs(qBlue(a) - qBlue(b)) > 64 || std::abs(qAlpha(a) - qAlpha(b)) > 64;
                }
                QVERIFY(scale == 1 ? differing == 0 : differing > size * size / 50);
            }
        }
    }

    void windowsFitTheScreen_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<int>("dpi"); // 96 is scale 1
        for (const QSize screen : {QSize(800, 600), QSize(1280, 800), QSize(1920, 1080)})
            for (const int dpi : {96, 144, 192})
                QTest::addRow("%dx%d at %d dpi", screen.width(), screen.height(), dpi)
                    << screen << dpi;
    }

    // The whole frame of every window lies on the screen (at its left or top
    // where larger); the main window opens at its own place where it fits,
    // the others beside it, top edges aligned where they fit. Each row runs
    // in a program of its own, on the screen it sets up.
    void windowsFitTheScreen() {
        QFETCH(QSize, screen);
        QFETCH(int, dpi);
        if (!qEnvironmentVariableIsSet("GLYPHMILL_TEST_SCREEN")) {
            write(m_dataFolders->filePath("screen.json"),
                  QString::asprintf(R"({"screens": [{"name": "s", "width": %d, "height": %d, )"
                                    R"("logicalDpi": %d, "logicalBaseDpi": 96}]})",
                                    screen.width(), screen.height(), dpi)
                      .toUtf8());
            // Named from the folder the row runs in, as a drive's colon would end
            // the platform's argument.
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=screen.json");
            qputenv("GLYPHMILL_TEST_SCREEN", "1");
            QProcess row;
            row.setProcessChannelMode(QProcess::ForwardedChannels);
            row.setWorkingDirectory(m_dataFolders->path());
            row.start(QCoreApplication::applicationFilePath(),
                      {"windowsFitTheScreen:" + QString(QTest::currentDataTag())});
            qunsetenv("GLYPHMILL_TEST_SCREEN");
            QVERIFY(row.waitForFinished(-1) && row.exitStatus() == QProcess::NormalExit &&
                    row.exitCode() == 0);
            return;
        }
        menu("mnuabout");
        menu("mnuhelp");
        const QRect main = mainWindow()->frameGeometry(),
                    area = mainWindow()->screen()->availableGeometry(),
                    own(QPoint(274, 165), main.size());
        QCOMPARE(area.size(), screen * 96 / dpi);
        for (const char *window : {"Form1", "Form2", "frmTip"}) {
            const QRect frame = widget(window)->frameGeometry();
            QCOMPARE(frame.intersected(area).size(), frame.size().boundedTo(area.size()));
            QCOMPARE(frame.intersected(area).topLeft(), frame.topLeft());
            QVERIFY(frame.top() == main.top() || main.top() + frame.height() > area.bottom() + 1);
        }
        QVERIFY(main == own || !area.contains(own));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
