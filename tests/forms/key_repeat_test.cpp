// Keys reaching a box's key handler with real event times: a program typing
// keys loses none, and of a held key only the repeats queued while the
// handler was busy are dropped.
#include "runtime/forms/text_box.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QThread>

using namespace glyphmill;

class KeyRepeatTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // Events, each "KIND TIME" or "KIND TIME/BUSY": p a press of A, r a
    // repeat of A (as Qt flags it); TIME in milliseconds,
    // BUSY how long the handler then takes. "handled" lists the times that
    // reach the handler.
    void heldAndTypedKeys_data() {
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("handled");
        QTest::newRow("typed at one time, flagged repeats") << "p1000 r1000 r1000 r1000 r1300"
                                                            << "1000 1000 1000 1000 1300";
        QTest::newRow("repeats while busy dropped") << "p1000/60 r1020 r1040 r1400"
                                                    << "1000 1400";
        QTest::newRow("repeat after a busy repeat") << "p1000/60 r1030 r1400/60 r1430 r1800"
                                                    << "1000 1400 1800";
        QTest::newRow("press while busy") << "p1000/60 p1020"
                                          << "1000 1020";
    }
    void heldAndTypedKeys() {
        QFETCH(QString, events);
        TextBox box(nullptr);
        int busy = 0;
        QString time;
        QStringList handled;
        box.setKeyDownHandler([&](int, int) {
            QThread::msleep(busy);
            handled << time;
        });
        for (const QString &event : events.split(u' ')) {
            const QStringList parts = event.mid(1).split(u'/');
            busy = parts.value(1).toInt();
            QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a", event[0] == u'r');
            time = parts[0];
            key.setTimestamp(time.toULongLong());
            QApplication::sendEvent(&box, &key);
        }
        QTEST(handled.join(u' '), "handled");
    }
};

QTEST_MAIN(KeyRepeatTest)
#include "key_repeat_test.moc"
