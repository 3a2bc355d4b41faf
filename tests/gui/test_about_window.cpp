#include "form1.h"
#include "form2.h"
#include "gui_test.h"
#include "label.h"
#include "timer.h"
#include "twips.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QPointer>

#include <map>
#include <memory>

using namespace glyphmill;
using glyphmill::test::child;

namespace {

const QColor kMagenta(255, 0, 255);
const QColor kOrange(255, 128, 0);
const QColor kRed(255, 0, 0);

// The About window as the user sees it: shown, and not one on its way out.
QWidget *visibleAboutWindow() {
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QStringLiteral("Form2") && widget->isVisible())
            return widget;
    }
    return nullptr;
}

// Chooses "About" in the main window's "Files" menu.
void chooseAbout() {
    defaultInstance<Form1>().Show();
    child<QAction>(&defaultInstance<Form1>().window(), "mnuabout")->trigger();
}

QWidget &aboutWindow() {
    QWidget *window = visibleAboutWindow();
    if (!window)
        qFatal("the About window is not open");
    return *window;
}

// One tick of the About window's timer, as the timer delivers it.
void tick(int count = 1) {
    for (int i = 0; i < count; ++i)
        child<Timer>(&aboutWindow(), "Timer1")->tick();
}

QColor contactColour() {
    return child<Label>(&aboutWindow(), "Label2(0)")->palette().color(QPalette::WindowText);
}

QString countdown() {
    return child<Label>(&aboutWindow(), "Label1(3)")->text();
}

} // namespace

class TestAboutWindow : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init();
    void cleanup();

    void labels_data();
    void labels();
    void fonts();
    void windowLooks();
    void backgroundPictureFillsTheWindow();

    void ticks_data();
    void ticks();
    void closesOnTheThirtySixthTick();
    void aboutWhileOpenKeepsCounting();
    void aboutAfterClosingStartsAfresh_data();
    void aboutAfterClosingStartsAfresh();
    void windowSystemCloseEndsTheCountdown();
    void realTimerClosesTheWindowByItself();

  private:
    std::unique_ptr<test::ReportCollector> m_reports;
};

void TestAboutWindow::init() {
    test::resetProgram();
    m_reports = std::make_unique<test::ReportCollector>();
}

void TestAboutWindow::cleanup() {
    const QStringList reports = m_reports->reports();
    m_reports.reset();
    test::resetProgram();
    QCOMPARE(reports, QStringList());
}

void TestAboutWindow::labels_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<bool>("shown");

    QTest::newRow("program name") << "Label1(0)"
                                  << "Glyphmill" << 1080 << 360 << true;
    QTest::newRow("author") << "Label1(1)"
                            << "Was coded by Tovrel" << 960 << 600 << true;
    QTest::newRow("contact, ends with a space") << "Label1(2)"
                                                << "Contact Tovrel at " << 1080 << 840 << true;
    QTest::newRow("countdown") << "Label1(3)"
                               << "7" << 480 << 360 << true;
    QTest::newRow("contact line") << "Label2(0)"
                                  << "tovrel@example.com" << 600 << 1080 << true;
    QTest::newRow("thanks heading") << "Label2(1)"
                                    << "Special Thanx To:" << 1080 << 1320 << true;
    QTest::newRow("contributors, space before the comma")
        << "Label2(2)"
        << "Zarno , Plimwick and Trosselbeck" << 600 << 1560 << true;
    QTest::newRow("colour phase, hidden") << "Label3"
                                          << "0" << 120 << 120 << false;
    QTest::newRow("tick count, hidden") << "Label4"
                                        << "0" << 120 << 360 << false;
}

void TestAboutWindow::labels() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(bool, shown);

    chooseAbout();
    auto *label = aboutWindow().findChild<Label *>(name);
    QVERIFY(label);
    QCOMPARE(label->text(), caption);
    QCOMPARE(label->pos(), QPoint(twipsToPixels(left), twipsToPixels(top)));
    QCOMPARE(label->isVisible(), shown);
    // Every label fits its text.
    QCOMPARE(label->size(), label->sizeHint());
    if (shown) {
        QVERIFY(label->autoFillBackground());
        QCOMPARE(label->palette().color(QPalette::Window), QColor(Qt::white));
    }
}

void TestAboutWindow::fonts() {
    chooseAbout();
    QWidget &window = aboutWindow();

    const QFont title = child<Label>(&window, "Label1(0)")->font();
    QVERIFY(title.bold());
    QCOMPARE(title.pointSizeF(), 8.25);

    const QFontInfo countdownFace(child<Label>(&window, "Label1(3)")->font());
    QVERIFY2(countdownFace.fixedPitch(), qPrintable(countdownFace.family()));
    QCOMPARE(countdownFace.pointSize(), 9);

    for (const char *name : {"Label1(1)", "Label1(2)", "Label2(0)", "Label2(1)", "Label2(2)"})
        QCOMPARE(child<Label>(&window, name)->font(), window.font());
    QVERIFY(!window.font().bold());
}

void TestAboutWindow::windowLooks() {
    chooseAbout();
    QWidget &window = aboutWindow();
    QCOMPARE(window.windowTitle(), QStringLiteral("Form2"));
    // Beside the main window, not over it.
    const QRect mainWindow = defaultInstance<Form1>().window().frameGeometry();
    QVERIFY(!window.frameGeometry().intersects(mainWindow));
    QCOMPARE(window.frameGeometry().top(), mainWindow.top());
    QCOMPARE(child<QWidget>(&window, "Form2_client")->size(),
             QSize(twipsToPixels(3390), twipsToPixels(2115)));

    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

    // No icon: not even the program's own shows through.
    const QImage icon = window.windowIcon().pixmap(16, 16).toImage();
    QVERIFY(!icon.isNull());
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x)
            QCOMPARE(qAlpha(icon.pixel(x, y)), 0);
    }
}

void TestAboutWindow::backgroundPictureFillsTheWindow() {
    const QImage picture(QStringLiteral(":/glyphmill/about_background.jpg"));
    QCOMPARE(picture.size(), QSize(227, 142));

    chooseAbout();
    auto *client = child<QWidget>(&aboutWindow(), "Form2_client");
    const QImage shown = client->grab().toImage();
    QCOMPARE(shown.size(), client->size());
    // The corners and the gaps between the labels show the picture.
    const QPoint uncovered[] = {{0, 0},
                                {shown.width() - 1, 0},
                                {0, shown.height() - 1},
                                {shown.width() - 1, shown.height() - 1},
                                {20, 70},
                                {210, 40},
                                {110, 125}};
    for (const QPoint point : uncovered)
        QCOMPARE(shown.pixelColor(point), picture.pixelColor(point));
}

void TestAboutWindow::ticks_data() {
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("shownCount");

    // The countdown drops on these ticks, to these values.
    const std::map<int, int> drops = {{6, 6}, {11, 5}, {16, 4}, {21, 3}, {26, 2}, {31, 1}};
    const QColor colours[] = {kOrange, kRed, kMagenta};
    int shownCount = 7;
    QTest::newRow("before the first tick: magenta, 7") << 0 << kMagenta << QStringLiteral("7");
    for (int ticks = 1; ticks <= 35; ++ticks) {
        if (const auto drop = drops.find(ticks); drop != drops.end())
            shownCount = drop->second;
        const QColor colour = colours[(ticks - 1) % 3];
        QTest::addRow("after tick %d: %s, %d", ticks, qPrintable(colour.name()), shownCount)
            << ticks << colour << QString::number(shownCount);
    }
}

void TestAboutWindow::ticks() {
    QFETCH(int, ticks);
    QFETCH(QColor, colour);
    QFETCH(QString, shownCount);

    chooseAbout();
    tick(ticks);
    QVERIFY(visibleAboutWindow());
    QCOMPARE(contactColour(), colour);
    QCOMPARE(countdown(), shownCount);
    QVERIFY(child<Timer>(&aboutWindow(), "Timer1")->isActive());
}

void TestAboutWindow::closesOnTheThirtySixthTick() {
    chooseAbout();
    tick(35);
    QVERIFY(visibleAboutWindow());
    QCOMPARE(countdown(), QStringLiteral("1"));

    const QPointer<Timer> timer = child<Timer>(&aboutWindow(), "Timer1");
    timer->tick();
    QVERIFY(!visibleAboutWindow());
    QVERIFY(!defaultInstance<Form2>().isLoaded());
    QVERIFY(timer.isNull() || !timer->isActive());
}

void TestAboutWindow::aboutWhileOpenKeepsCounting() {
    chooseAbout();
    tick(13);
    const QPointer<QWidget> opened = &aboutWindow();
    const QPointer<Timer> timer = child<Timer>(opened, "Timer1");

    chooseAbout();
    QCOMPARE(visibleAboutWindow(), opened.data());
    QVERIFY(timer->isActive());
    QCOMPARE(countdown(), QStringLiteral("5"));
    QCOMPARE(contactColour(), kOrange);

    // The count goes on from tick 13: 22 more leave it open, one more closes it.
    tick(22);
    QCOMPARE(countdown(), QStringLiteral("1"));
    QCOMPARE(contactColour(), kRed);
    tick();
    QVERIFY(!visibleAboutWindow());
}

void TestAboutWindow::aboutAfterClosingStartsAfresh_data() {
    QTest::addColumn<int>("ticks");
    QTest::addColumn<bool>("closedByWindowSystem");

    QTest::newRow("after its countdown ran out") << 36 << false;
    QTest::newRow("after the window system closed it at 4, red") << 17 << true;
    QTest::newRow("after the window system closed it before any tick") << 0 << true;
}

void TestAboutWindow::aboutAfterClosingStartsAfresh() {
    QFETCH(int, ticks);
    QFETCH(bool, closedByWindowSystem);

    chooseAbout();
    tick(ticks);
    if (closedByWindowSystem)
        aboutWindow().close();
    QVERIFY(!visibleAboutWindow());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    chooseAbout();
    QWidget &window = aboutWindow();
    QCOMPARE(countdown(), QStringLiteral("7"));
    QCOMPARE(contactColour(), kMagenta);
    QCOMPARE(child<Label>(&window, "Label3")->text(), QStringLiteral("0"));
    QCOMPARE(child<Label>(&window, "Label4")->text(), QStringLiteral("0"));
    QVERIFY(child<Timer>(&window, "Timer1")->isActive());

    tick();
    QCOMPARE(contactColour(), kOrange);
    tick(34);
    QCOMPARE(countdown(), QStringLiteral("1"));
    tick();
    QVERIFY(!visibleAboutWindow());
}

void TestAboutWindow::windowSystemCloseEndsTheCountdown() {
    chooseAbout();
    tick(17);
    const QPointer<Timer> timer = child<Timer>(&aboutWindow(), "Timer1");

    aboutWindow().close();
    QVERIFY(!visibleAboutWindow());
    QVERIFY(!defaultInstance<Form2>().isLoaded());
    QVERIFY(timer.isNull() || !timer->isActive());
    // The main window stays.
    QVERIFY(defaultInstance<Form1>().window().isVisible());
}

void TestAboutWindow::realTimerClosesTheWindowByItself() {
    QElapsedTimer clock;
    clock.start();
    chooseAbout();
    const QPointer<Label> shownCount = child<Label>(&aboutWindow(), "Label1(3)");

    QTRY_COMPARE_WITH_TIMEOUT(shownCount->text(), QStringLiteral("6"), 3000);
    QVERIFY(visibleAboutWindow());
    QTRY_VERIFY_WITH_TIMEOUT(!visibleAboutWindow(), 9000);
    // 36 ticks of 200 ms: about 7.2 seconds, and well over six.
    QVERIFY2(clock.elapsed() > 6000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!defaultInstance<Form2>().isLoaded());
}

QTEST_MAIN(TestAboutWindow)
#include "test_about_window.moc"
