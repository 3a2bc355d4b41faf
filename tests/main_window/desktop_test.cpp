// The windows on other desktops than the default light one: texts that read
// on a dark palette too, windows that open on small screens at any scale, and
// an icon drawn for the scale.
#include "about_window/form2.h"
#include "runtime/forms/program.h"
#include "tests/window_fixture/window_fixture.h"
#include "tip_window/frmtip.h"

#include <QAbstractScrollArea>
#include <QProcess>
#include <QScreen>

#include <cmath>

using namespace glyphmill;

// The contrast of two colours as the web's accessibility guidelines measure
// it, from 1 (none) to 21 (black on white).
static double contrast(const QColor &a, const QColor &b) {
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

class DesktopTest : public test::WindowTest {
    Q_OBJECT

  private Q_SLOTS:
    // Every text against what lies behind it, as the widget that shows it
    // paints it, on a light palette and a dark one (made from its window
    // colour); the colours a window sets itself stay as they are.
    void textsRead_data() {
        QTest::addColumn<QColor>("window");
        QTest::addColumn<QString>("name"); // form and control
        QTest::addColumn<QColor>("fixedText");
        QTest::addColumn<QColor>("fixedBack");
        for (const QColor window : {QColor(0xEF, 0xEF, 0xEF), QColor(0x35, 0x35, 0x35)}) {
            for (const char *name :
                 {"Form1 Label2", "Form1 Label3", "Form1 Label1", "Form1 Label4", "Form1 Option1",
                  "Form1 Option3", "Form1 Command1", "Form1 Text1", "Form1 Text5",
                  "Form2 Label1(0)", "Form2 Label2(2)", "frmTip Label1", "frmTip lblTipText"})
                QTest::addRow("%s %s", qPrintable(window.name()), name)
                    << window << name << QColor() << QColor();
            QTest::addRow("%s fixed Form2 Label2(0)", qPrintable(window.name()))
                << window << "Form2 Label2(0)" << QColor(Qt::magenta) << QColor(Qt::white);
            QTest::addRow("%s fixed frmTip Picture1", qPrintable(window.name()))
                << window << "frmTip Picture1" << QColor() << QColor(Qt::white);
        }
    }

    void textsRead() {
        QFETCH(QColor, window);
        QFETCH(QString, name);
        QFETCH(QColor, fixedText);
        QFETCH(QColor, fixedBack);
        QApplication::setPalette(QPalette(window));
        QCoreApplication::processEvents(); // the open windows take the new palette
        const QStringList form = name.split(u' ');
        FormWindow &shownIn = form[0] == u"Form1"   ? defaultInstance<Form1>().window()
                              : form[0] == u"Form2" ? defaultInstance<Form2>().window()
                                                    : defaultInstance<frmTip>().window();
        auto *shown = control<QWidget>(qPrintable(form[1]), &shownIn);
        if (auto *box = qobject_cast<QAbstractScrollArea *>(shown))
            shown = box->viewport();
        // A widget that fills no background of its own shows the one behind it.
        const QWidget *behind = shown;
        while (!behind->autoFillBackground() && !behind->isWindow())
            behind = behind->parentWidget();
        const QColor text = shown->palette().color(shown->foregroundRole());
        const QColor back = behind->palette().color(behind->backgroundRole());
        QVERIFY(!fixedBack.isValid() || back == fixedBack);
        QVERIFY(!fixedText.isValid() || text == fixedText);
        QVERIFY2(fixedText.isValid() || fixedBack.isValid() || contrast(text, back) >= 4.5,
                 qPrintable(text.name() + " on " + back.name()));
    }

    // At scale 1 the window icon is the program's own 32 pixels; where the
    // scale asks for more it is a drawing of the same design, not those
    // pixels scaled up: 2% of its pixels or more are clearly not theirs.
    void iconAtEveryScale() {
        const QImage own =
            QImage(":/glyphmill/glyphmill.xpm").convertToFormat(QImage::Format_ARGB32);
        for (const qreal scale : {1.0, 1.5, 2.0, 4.0, 8.0}) {
            const QImage drawn = Program::icon().pixmap(QSize(32, 32), scale).toImage();
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
                QVERIFY(scale == 1 ? differing == 0 : differing > size * size / 50);
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
        for (QWidget *window :
             std::initializer_list<QWidget *>{mainWindow(), &defaultInstance<Form2>().window(),
                                              &defaultInstance<frmTip>().window()}) {
            const QRect f = window->frameGeometry(), a = window->screen()->availableGeometry();
            std::printf("place %d %d %d %d %d %d %d %d\n", f.x(), f.y(), f.width(), f.height(),
                        a.x(), a.y(), a.width(), a.height());
        }
    }

    // The whole frame of every window lies on the screen (at its left or top
    // where larger); the main window opens at its own place where it fits,
    // the others beside it, top edges aligned where they fit.
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
        config.write(QStringLiteral(R"({"screens": [{"name": "s", "width": %1, "height": %2, )"
                                    R"("logicalDpi": %3, "logicalBaseDpi": 96}]})")
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
        QList<QRect> frames, areas;
        for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
            if (const QList<QByteArray> n = line.split(' '); n[0] == "place") {
                frames << QRect(n[1].toInt(), n[2].toInt(), n[3].toInt(), n[4].toInt());
                areas << QRect(n[5].toInt(), n[6].toInt(), n[7].toInt(), n[8].toInt());
            }
        }
        QCOMPARE(frames.size(), 3);
        const QRect main = frames[0], area = areas[0], own(QPoint(274, 165), main.size());
        QCOMPARE(area.size(), screen * 96 / dpi);
        for (const QRect &frame : frames) {
            QCOMPARE(frame.intersected(area).size(), frame.size().boundedTo(area.size()));
            QCOMPARE(frame.intersected(area).topLeft(), frame.topLeft());
            QVERIFY(frame.top() == main.top() || main.top() + frame.height() > area.bottom() + 1);
        }
        QVERIFY(main == own || !area.contains(own));
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
