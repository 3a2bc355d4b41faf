// The windows on other desktops than the default light one: texts that read
// on a dark palette too, and windows that open on small screens at any scale.
#include "about_window/form2.h"
#include "runtime/forms/program.h"
#include "tests/window_fixture/window_fixture.h"
#include "tip_window/frmtip.h"

#include <QAbstractScrollArea>
#include <QProcess>
#include <QScreen>
#include <QStyle>

#include <cmath>

using namespace glyphmill;

namespace {

// The contrast of two colours as the web's accessibility guidelines measure
// it, from 1 (none) to 21 (black on white).
double contrast(const QColor &a, const QColor &b) {
    const auto luminance = [](const QColor &c) {
        double sum = 0;
        for (const auto &[weight, value] :
             {std::pair{0.2126, c.redF()}, {0.7152, c.greenF()}, {0.0722, c.blueF()}})
            sum += weight *
                   (value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4));
        return sum;
    };
    const double first = luminance(a), second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QPalette darkPalette() {
    QPalette dark = QApplication::style()->standardPalette();
    for (const auto &[role, colour] : {std::pair{QPalette::Window, 0x353535},
                                       {QPalette::WindowText, 0xEEEEEE},
                                       {QPalette::Base, 0x2A2A2A},
                                       {QPalette::Text, 0xEEEEEE},
                                       {QPalette::Button, 0x404040},
                                       {QPalette::ButtonText, 0xEEEEEE}})
        dark.setColor(role, QColor::fromRgb(QRgb(colour)));
    return dark;
}

} // namespace

class DesktopTest : public test::WindowTest {
    Q_OBJECT

  private Q_SLOTS:
    // Every text against what lies behind it, as the widget that shows it
    // paints it; the colours a window sets itself stay as they are.
    void textsRead_data() {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("fixedText");
        QTest::addColumn<QColor>("fixedBack");
        const QColor white(Qt::white), none;
        for (const bool dark : {false, true}) {
            const auto row = [dark](const char *form, const char *name, QColor text = {},
                                    QColor back = {}) {
                QTest::addRow("%s %s %s", dark ? "dark" : "light", form, name)
                    << dark << QString::fromLatin1(form) << QString::fromLatin1(name) << text
                    << back;
            };
            for (const char *name : {"Label2", "Label3", "Label1", "Label4", "Option1", "Option3",
                                     "Command1", "Text1", "Text5"})
                row("Form1", name);
            for (const char *name : {"Label1(0)", "Label1(1)", "Label2(2)"})
                row("Form2", name);
            row("Form2", "Label1(3)", none, white);
            row("Form2", "Label2(0)", QColor(255, 0, 255), white);
            for (const char *name : {"Label1", "lblTipText", "cmdOK"})
                row("frmTip", name);
            row("frmTip", "Picture1", none, white);
        }
    }

    void textsRead() {
        QFETCH(bool, dark);
        QFETCH(QString, form);
        QFETCH(QColor, fixedText);
        QFETCH(QColor, fixedBack);
        QApplication::setPalette(dark ? darkPalette() : QApplication::style()->standardPalette());
        QCoreApplication::processEvents(); // the windows take the new palette
        FormWindow &window = form == u"Form1"   ? defaultInstance<Form1>().window()
                             : form == u"Form2" ? defaultInstance<Form2>().window()
                                                : defaultInstance<frmTip>().window();
        QFETCH(QString, name);
        auto *shown = control<QWidget>(qPrintable(name), &window);
        if (auto *box = qobject_cast<QAbstractScrollArea *>(shown))
            shown = box->viewport();
        // A widget that fills no background of its own shows the one behind it.
        const QWidget *behind = shown;
        while (!behind->autoFillBackground() && !behind->isWindow())
            behind = behind->parentWidget();
        const QColor text = shown->palette().color(shown->foregroundRole());
        const QColor back = behind->palette().color(behind->backgroundRole());
        QApplication::setPalette(QApplication::style()->standardPalette());
        if (fixedBack.isValid())
            QCOMPARE(back, fixedBack);
        if (fixedText.isValid())
            QCOMPARE(text, fixedText);
        else if (name != u"Picture1")
            QVERIFY2(contrast(text, back) >= 4.5, qPrintable(text.name() + " on " + back.name()));
    }

    // At scale 1 the window icon is the program's own 32 pixels; where the
    // scale asks for more it is a drawing of the same design, not those
    // pixels scaled up.
    void iconAtEveryScale() {
        const auto argb = [](const QImage &image) {
            return image.convertToFormat(QImage::Format_ARGB32);
        };
        const QImage own = argb(QImage(":/glyphmill/glyphmill.xpm"));
        QCOMPARE(argb(Program::icon().pixmap(QSize(32, 32), 1.0).toImage()), own);
        for (const qreal scale : {1.5, 2.0, 4.0, 8.0}) {
            const QImage drawn = argb(Program::icon().pixmap(QSize(32, 32), scale).toImage());
            const int size = int(32 * scale);
            QCOMPARE(drawn.size(), QSize(size, size));
            for (const auto mode : {Qt::FastTransformation, Qt::SmoothTransformation}) {
                const QImage copy = own.scaled(size, size, Qt::IgnoreAspectRatio, mode);
                int differing = 0;
                for (int i = 0; i < size * size; ++i) {
                    const QColor a = drawn.pixelColor(i % size, i / size),
                                 b = copy.pixelColor(i % size, i / size);
                    differing +=
                        std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                                  std::abs(a.blue() - b.blue()), std::abs(a.alpha() - b.alpha())}) >
                        64;
                }
                QVERIFY(differing > size * size / 50);
            }
        }
    }

    // Run by windowsFitTheScreen in a program of its own on the screen it
    // sets up: where the three windows open, and the screen's free area.
    void placesShown() {
        if (!qEnvironmentVariableIsSet("GLYPHMILL_TEST_SCREEN"))
            QSKIP("runs on a screen of its own");
        menu("mnuabout");
        menu("mnuhelp");
        for (Form *form :
             std::initializer_list<Form *>{&defaultInstance<Form1>(), &defaultInstance<Form2>(),
                                           &defaultInstance<frmTip>()}) {
            const QRect frame = form->window().frameGeometry(),
                        area = form->window().screen()->availableGeometry();
            std::printf("place %d %d %d %d %d %d %d %d\n", frame.x(), frame.y(), frame.width(),
                        frame.height(), area.x(), area.y(), area.width(), area.height());
        }
    }

    // The whole frame of every window lies on the screen; the main window
    // opens at its own place where it fits there, the others beside it.
    void windowsFitTheScreen_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<int>("dpi"); // 96 is scale 1
        for (const QSize screen : {QSize(800, 600), QSize(1280, 800), QSize(1920, 1080)})
            for (const int dpi : {96, 144, 192})
                QTest::addRow("%dx%d at %d dpi", screen.width(), screen.height(), dpi)
                    << screen << dpi;
    }

    void windowsFitTheScreen() {
        QFETCH(QSize, screen);
        QFETCH(int, dpi);
        QFile config(m_dataFolders->filePath("screen.json"));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(QStringLiteral(R"({"screens": [{"name": "s", "x": 0, "y": 0, "width": %1, )"
                                    R"("height": %2, "logicalDpi": %3, "logicalBaseDpi": 96}]})")
                         .arg(screen.width())
                         .arg(screen.height())
                         .arg(dpi)
                         .toUtf8());
        config.close();
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName());
        environment.insert("GLYPHMILL_TEST_SCREEN", "1");
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {"placesShown"});
        QVERIFY(child.waitForFinished(60000));
        QList<QRect> frames;
        QRect area;
        for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
            if (QList<QByteArray> n = line.split(' '); n.size() == 9 && n[0] == "place") {
                frames << QRect(n[1].toInt(), n[2].toInt(), n[3].toInt(), n[4].toInt());
                area = QRect(n[5].toInt(), n[6].toInt(), n[7].toInt(), n[8].toInt());
            }
        }
        QCOMPARE(frames.size(), 3);
        QCOMPARE(area.size(), screen * 96 / dpi);
        const QRect main = frames[0];
        const QPoint own(274, 165); // 4110 and 2475 twips
        for (const QRect &frame : frames) {
            // Larger than the area, it lies at the area's left or top.
            const QRect onScreen = frame.intersected(area);
            QVERIFY(onScreen.width() == std::min(frame.width(), area.width()));
            QVERIFY(onScreen.height() == std::min(frame.height(), area.height()));
            QVERIFY(onScreen.topLeft() == frame.topLeft());
            if (frame != main && main.top() + frame.height() <= area.bottom() + 1)
                QCOMPARE(frame.top(), main.top());
        }
        if (QRect(own, main.size()).intersected(area).size() == main.size())
            QCOMPARE(main.topLeft(), own);
        else
            QVERIFY(main.bottom() == area.bottom() || main.right() == area.right() ||
                    main.top() == area.top());
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
