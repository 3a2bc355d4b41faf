#include "gui_test.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace glyphmill::test {

namespace {
void emptyProgramFolder() {
    QDir folder(QCoreApplication::applicationDirPath());
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    for (const QFileInfo &entry :
         folder.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)) {
        if (entry.fileName() == program)
            continue;
        if (entry.isDir() && !entry.isSymLink())
            QDir(entry.filePath()).removeRecursively();
        else
            QFile::remove(entry.filePath());
    }
}
} // namespace

ProgramFolder::ProgramFolder() {
    emptyProgramFolder();
}

ProgramFolder::~ProgramFolder() {
    emptyProgramFolder();
}

QString ProgramFolder::path() const {
    return QCoreApplication::applicationDirPath();
}

QString ProgramFolder::filePath(const QString &name) const {
    return QDir(path()).filePath(name);
}

namespace {

// The headless platform warns about window operations it does without; those
// warnings say nothing about the program.
QtMessageHandler g_defaultHandler = nullptr;

void filterPlatformNoise(QtMsgType type, const QMessageLogContext &context,
                         const QString &message) {
    if (type == QtWarningMsg && message.startsWith(QStringLiteral("This plugin does not support")))
        return;
    g_defaultHandler(type, context, message);
}

void installNoiseFilter() {
    // Installed after the test library has set up its own handler, which it
    // forwards to.
    if (!g_defaultHandler)
        g_defaultHandler = qInstallMessageHandler(filterPlatformNoise);
}

} // namespace

ReportCollector::ReportCollector() {
    EventDispatch::setReportSink([this](const QString &title, const QString &text) {
        m_titles << title;
        m_reports << text;
    });
}

ReportCollector::~ReportCollector() {
    EventDispatch::setReportSink({});
}

void ReportCollector::clear() {
    m_reports.clear();
    m_titles.clear();
}

void resetProgram() {
    installNoiseFilter();
    DefaultInstances::clear();
    EventDispatch::clearProgramEnded();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace glyphmill::test
