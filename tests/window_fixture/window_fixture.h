#pragma once

#include "about_window/form2.h"
#include "main_window/form1.h"
#include "runtime/forms/default_instances.h"
#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/single_line_text_box.h"
#include "runtime/forms/text_box.h"
#include "tests/window_fixture/test_data_folders.h"
#include "tip_window/frmtip.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace glyphmill::test {

// What every window test starts from: a fresh program with its main window
// shown, empty data and home folders of its own (so no tips file), and the
// error reports collected instead of shown in message boxes that would wait
// for a click.
class WindowTest : public QObject {
    Q_OBJECT

  protected Q_SLOTS:
    void init() {
        m_dataFolders = std::make_unique<QTemporaryDir>();
        m_pointedFolders = std::make_unique<TestDataFolders>(m_dataFolders->path());
        for (const bool system : {false, true})
            QDir().mkpath(QFileInfo(tipsPath(system)).path());
        EventDispatch::setReportSink(
            [this](const QString &, const QString &text) { m_reports << text; });
        defaultInstance<Form1>().Show();
        QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
    }

    void cleanup() {
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

  protected:
    static QWidget *mainWindow() { return &defaultInstance<Form1>().window(); }
    // A named control of a window, the main window unless another is given.
    template <typename T = TextBox> static T *control(const char *name, QWidget *window = nullptr) {
        T *found = (window ? window : mainWindow())->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control named %s", name);
        return found;
    }
    // A window by its form's name ("Form1", "Form2", "frmTip"), or a control
    // of it by both names ("Form2 Label1(0)"); words after those are ignored.
    static QWidget *widget(const QString &where) {
        const QString form = where.section(u' ', 0, 0), name = where.section(u' ', 1, 1);
        QWidget *window = form == u"Form1"   ? mainWindow()
                          : form == u"Form2" ? &defaultInstance<Form2>().window()
                                             : &defaultInstance<frmTip>().window();
        return name.isEmpty() ? window : control<QWidget>(qPrintable(name), window);
    }
    static SingleLineTextBox *numberBox() { return control<SingleLineTextBox>("Text5"); }
    static void click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    // Chooses an item of the main window's "Files" menu.
    static void menu(const char *item) { control<QAction>(item)->trigger(); }
    static void paste(QWidget *box, const QString &text) {
        QApplication::clipboard()->setText(text);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }
    // What Ctrl+A, Ctrl+C in the box puts on the clipboard.
    static QString copyAll(QWidget *box) {
        QTest::keySequence(box, QKeySequence(QStringLiteral("Ctrl+A, Ctrl+C")));
        return QApplication::clipboard()->text();
    }
    // What a screen reader reads of the box.
    static QAccessibleTextInterface *reader(QWidget *box) {
        return QAccessible::queryAccessibleInterface(box)->textInterface();
    }
    // Converts `count` characters, codes 32 to 126 in turn, with "DO!!!".
    static void convert(int count) {
        QString input;
        for (int i = 0; i < count; ++i)
            input += QChar(0x20 + i % 95);
        control("Text1")->SetText(input);
        click(control<QWidget>("Command1"));
    }
    // Their answer, built apart from the program: lines `first` on of it,
    // each 8 digits and `lineEnd`.
    static QString digits(int count, int first = 0, const char *lineEnd = "\r\n") {
        QString answer;
        for (int i = first; i < count; ++i)
            answer += QString::number(0x20 + i % 95, 2).rightJustified(8, u'0') + lineEnd;
        return answer;
    }
    // The tips file in the user's data folder, or in the system's.
    QString tipsPath(bool system = false) const {
        return m_dataFolders->filePath(system ? "system/glyphmill/help.cfg"
                                              : "user/glyphmill/help.cfg");
    }
    static void write(const QString &path, const QByteArray &bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    std::unique_ptr<QTemporaryDir> m_dataFolders;
    std::unique_ptr<TestDataFolders> m_pointedFolders;
    QStringList m_reports;
};

} // namespace glyphmill::test
