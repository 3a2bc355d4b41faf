#pragma once

#include "default_instances.h"
#include "event_dispatch.h"

#include <QApplication>
#include <QStringList>
#include <QTest>

namespace glyphmill::test {

// Collects the error reports a test run provokes, instead of message boxes
// that would wait for a click.
class ReportCollector {
  public:
    ReportCollector();
    ~ReportCollector();
    ReportCollector(const ReportCollector &) = delete;
    ReportCollector &operator=(const ReportCollector &) = delete;

    const QStringList &reports() const { return m_reports; }
    QStringList titles() const { return m_titles; }
    void clear();

  private:
    QStringList m_reports;
    QStringList m_titles;
};

// The program reads its tips beside its executable; each window test runs
// from a folder of its own, which this empties of everything but the test
// program when it starts and ends.
class ProgramFolder {
  public:
    ProgramFolder();
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder &) = delete;
    ProgramFolder &operator=(const ProgramFolder &) = delete;
    bool isValid() const { return true; }
    QString path() const;
    QString filePath(const QString &name) const;
};

// Forgets every window and form instance, as at a fresh program start.
void resetProgram();

// Finds a named child of a window or fails the test.
template <typename T> T *child(QObject *parent, const char *name) {
    T *found = parent->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no child named %s", name);
    return found;
}

} // namespace glyphmill::test
