// How a failure in a handler ends: an error of a value operation is reported
// and the program goes on; anything else is reported and ends the program
// with status 1, whichever handler it came from.
#include "runtime/forms/event_dispatch.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include <functional>
#include <new>
#include <stdexcept>

using namespace glyphmill;
using Handler = std::function<void()>;
Q_DECLARE_METATYPE(Handler)

class EventDispatchTest : public QObject {
    Q_OBJECT

    // What the event loop returns while the program goes on.
    static constexpr int kGoesOn = -1;

  private Q_SLOTS:
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

QTEST_MAIN(EventDispatchTest)
#include "event_dispatch_test.moc"
