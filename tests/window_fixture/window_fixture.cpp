#include "window_fixture.h"

#include "event_dispatch.h"
#include "random_numbers.h"

#include <QClipboard>
#include <QDir>
#include <QFile>

namespace glyphmill::test {

void WindowTest::init() {
    QFile::remove(tipsPath());
    QDir().rmdir(tipsPath());
    EventDispatch::setReportSink(
        [this](const QString &, const QString &text) { m_reports << text; });
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
    QFile::remove(tipsPath());
    QDir().rmdir(tipsPath());
    // No error that the test did not take.
    QCOMPARE(reports, QStringList());
}

void WindowTest::paste(QWidget *box, const QString &text) {
    QApplication::clipboard()->setText(text);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

QWidget *WindowTest::shownWindow(const char *name) {
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String(name) && window->isVisible())
            return window;
    }
    return nullptr;
}

void WindowTest::writeTips(const QByteArray &bytes) {
    QFile file(tipsPath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QString WindowTest::tipsPath() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help.cfg"));
}

} // namespace glyphmill::test
