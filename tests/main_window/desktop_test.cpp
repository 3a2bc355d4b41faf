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
        const auto linear = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const auto [dark, light] = std::minmax({luminance(a), luminance(b)});
    return (light + 0.05) / (dark + 0.05);
}

class DesktopTest : public test::WindowTest {
    Q_OBJECT

  private Q_SLOTS:
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

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
