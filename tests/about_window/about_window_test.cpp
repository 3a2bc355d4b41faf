// The About window: what it says, the colour of its contact line and its
// countdown on every tick, and how it closes itself.
#include "about_window/form2.h"
#include "runtime/forms/timer.h"
#include "tests/window_fixture/window_fixture.h"

#include <QLabel>

using namespace glyphmill;

class AboutWindowTest : public test::WindowTest {
    Q_OBJECT

  private Q_SLOTS:
    // Orange, red, magenta from the first tick on; the countdown drops every
    // fifth tick from the sixth, and the window goes on the 36th. Opened
    // again, it starts afresh.
    void ticks() {
        // Magenta, orange, red.
        const QColor colours[] = {QColor(255, 0, 255), QColor(255, 128, 0), QColor(255, 0, 0)};
        for (int opening = 1; opening <= 2; ++opening) {
            menu("mnuabout");
            QWidget *about = widget("Form2");
            const auto label = [about](const char *name) { return control<QLabel>(name, about); };
            QStringList captions{about->windowTitle()};
            for (const char *name : {"Label1(0)", "Label1(1)", "Label1(2)", "Label2(0)",
                                     "Label2(1)", "Label2(2)", "Label3", "Label4"})
                captions << (label(name)->isVisible() ? label(name)->text() : "hidden");
            QCOMPARE(captions, (QStringList{"Form2", "Glyphmill", "Was coded by Tovrel",
                                            "Contact Tovrel at ", "tovrel@example.com",
                                            "Special Thanx To:", "Zarno , Plimwick and Trosselbeck",
                                            "hidden", "hidden"}));
            auto *timer = control<Timer>("Timer1", about);
            QVERIFY(timer->isActive() && timer->interval() == 200);
            // Checked before the first tick and after each; the 36th closes.
            for (int tick = 0; tick <= 35; timer->tick(), ++tick) {
                // "About" while the window is open restarts nothing.
                if (tick == 13)
                    menu("mnuabout");
                QCOMPARE(label("Label2(0)")->palette().windowText().color(), colours[tick % 3]);
                QCOMPARE(label("Label1(3)")->text(),
                         QString::number(tick < 6 ? 7 : 7 - (tick - 1) / 5));
            }
            QVERIFY(!defaultInstance<Form2>().isLoaded() && !timer->isActive());
        }
    }
};

QTEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"
