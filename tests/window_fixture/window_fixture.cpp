#include "tests/window_fixture/window_fixture.h"

#include "about_window/form2.h"
#include "runtime/forms/event_dispatch.h"
#include "tip_window/frmtip.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace glyphmill::test {

void WindowTest::init() {
    m_dataFolders = std::make_unique<QTemporaryDir>();
    m_pointedFolders = std::make_unique<TestDataFolders>(m_dataFolders->path());
    for (const bool system : {false, true})
        QDir().mkpath(QFileInfo(tipsPath(system)).path());
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
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_pointedFolders.reset();
    m_dataFolders.reset();
    // No error that the test did not take.
    QCOMPARE(reports, QStringList());
}

QWidget *WindowTest::widget(const QString &where) {
    const QString form = where.section(u' ', 0, 0), name = where.section(u' ', 1, 1);
    QWidget *window = form == u"Form1"   ? mainWindow()
                      : form == u"Form2" ? &defaultInstance<Form2>().window()
                                         : &defaultInstance<frmTip>().window();
    return name.isEmpty() ? window : control<QWidget>(qPrintable(name), window);
}

void WindowTest::paste(QWidget *box, const QString &text) {
    QApplication::clipboard()->setText(text);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

QString WindowTest::copyAll(QWidget *box) {
    QTest::keySequence(box, QKeySequence(QStringLiteral("Ctrl+A, Ctrl+C")));
    return QApplication::clipboard()->text();
}

void WindowTest::convert(int count) {
    QString input;
    for (int i = 0; i < count; ++i)
        input += QChar(0x20 + i % 95);
    control("Text1")->SetText(input);
    click(control<QWidget>("Command1"));
}

QString WindowTest::digits(int count, int first, const char *lineEnd) {
    QString answer;
    for (int i = first; i < count; ++i)
        answer += QString::number(0x20 + i % 95, 2).rightJustified(8, u'0') + lineEnd;
    return answer;
}

QString WindowTest::tipsPath(bool system) const {
    return m_dataFolders->filePath(system ? "system/glyphmill/help.cfg"
                                          : "user/glyphmill/help.cfg");
}

void WindowTest::write(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

} // namespace glyphmill::test
