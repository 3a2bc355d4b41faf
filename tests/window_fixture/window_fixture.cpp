#include "window_fixture.h"

#include "event_dispatch.h"
#include "random_numbers.h"

#include <QClipboard>
#include <QFile>

namespace glyphmill::test {

void WindowTest::init() {
    QFile::remove(tipsPath());
    EventDispatch::setReportSink(
        [this](const QString &, const QString &text) { m_reports << text; });
    // Of single precision, in [0, 1).
    RandomNumbers::installFixedSource([this] { return float(m_random() >> 8) * 0x1p-24F; });
    defaultInstance<Form1>().Show();
    QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
}

void WindowTest::cleanup() {
    const QStringList reports = std::exchange(m_reports, {});
    DefaultInstances::clear();
    EventDispatch::clearProgramEnded();
    EventDispatch::setReportSink({});
    RandomNumbers::removeFixedSource();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // No error that the test did not take.
    QCOMPARE(reports, QStringList());
}

void WindowTest::paste(QWidget *box, const QString &text) {
    QApplication::clipboard()->setText(text);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

void WindowTest::writeTips(const QByteArray &bytes) {
    QFile file(tipsPath());
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

} // namespace glyphmill::test
