#pragma once

#include "main_window/form1.h"
#include "runtime/forms/default_instances.h"
#include "runtime/forms/single_line_text_box.h"
#include "runtime/forms/text_box.h"
#include "tests/window_fixture/test_data_folders.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
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
    void init();
    void cleanup();

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
    static QWidget *widget(const QString &where);
    static SingleLineTextBox *numberBox() { return control<SingleLineTextBox>("Text5"); }
    static void click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    // Chooses an item of the main window's "Files" menu.
    static void menu(const char *item) { control<QAction>(item)->trigger(); }
    static void paste(QWidget *box, const QString &text);
    // What Ctrl+A, Ctrl+C in the box puts on the clipboard.
    static QString copyAll(QWidget *box);
    // What a screen reader reads of the box.
    static QAccessibleTextInterface *reader(QWidget *box) {
        return QAccessible::queryAccessibleInterface(box)->textInterface();
    }
    // Converts `count` characters, codes 32 to 126 in turn, with "DO!!!".
    static void convert(int count);
    // Their answer, built apart from the program: lines `first` on of it,
    // each 8 digits and `lineEnd`.
    static QString digits(int count, int first = 0, const char *lineEnd = "\r\n");
    // The tips file in the user's data folder, or in the system's.
    QString tipsPath(bool system = false) const;
    static void write(const QString &path, const QByteArray &bytes);

    std::unique_ptr<QTemporaryDir> m_dataFolders;
    std::unique_ptr<TestDataFolders> m_pointedFolders;
    QStringList m_reports;
};

} // namespace glyphmill::test
