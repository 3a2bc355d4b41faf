#include "runtime/forms/event_dispatch.h"

#include "runtime/forms/program.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <new>

namespace glyphmill {

int EventDispatch::s_depth = 0;
bool EventDispatch::s_ended = false;

namespace {
EventDispatch::ReportSink &reportSink() {
    static EventDispatch::ReportSink sink;
    return sink;
}
} // namespace

void EventDispatch::run(const std::function<void()> &handler) {
    if (s_ended || !handler)
        return;
    if (s_depth > 0) {
        // A handler called from another one: its error stops the caller too.
        handler();
        return;
    }
    ++s_depth;
    try {
        handler();
    } catch (const RuntimeError &error) {
        --s_depth;
        report(error);
        return;
    } catch (const std::bad_alloc &) {
        --s_depth;
        endOnError(RuntimeError(error_number::kOutOfMemory, "Out of memory"));
        return;
    } catch (...) {
        --s_depth;
        endOnError(RuntimeError(error_number::kInternalError, "Internal error"));
        return;
    }
    --s_depth;
}

void EventDispatch::endOnError(const RuntimeError &error) {
    // No error of a value operation: what the handler leaves behind cannot be
    // trusted, so after the report the program ends.
    report(error);
    endProgram(1);
}

QString EventDispatch::reportText(const RuntimeError &error) {
    QString text = QStringLiteral("Run-time error '%1':\n\n%2")
                       .arg(error.number())
                       .arg(QString::fromStdString(error.description()));
    if (!error.detail().empty())
        text += QStringLiteral("\n\n") + QString::fromStdString(error.detail());
    return text;
}

void EventDispatch::report(const RuntimeError &error) {
    const QString title = QStringLiteral("Glyphmill");
    const QString text = reportText(error);
    if (reportSink()) {
        reportSink()(title, text);
        return;
    }
    // The box belongs to the main window, never to the active one: a window
    // that unloads itself while the box is open (the About window at the end
    // of its countdown, whose timer goes on ticking in the box's event loop)
    // would take the box with it. Without a main window the box stands alone,
    // modal to the whole program. Should its owner go all the same, the box
    // goes with it and the report simply ends.
    QPointer<QMessageBox> box =
        new QMessageBox(QMessageBox::Critical, title, text, QMessageBox::Ok, Program::mainWindow());
    box->setObjectName(QStringLiteral("errorReport"));
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
    delete box.data();
}

void EventDispatch::setReportSink(ReportSink sink) {
    reportSink() = std::move(sink);
}

void EventDispatch::endProgram(int status) {
    s_ended = true;
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(status);
}

bool EventDispatch::programEnded() {
    return s_ended;
}

void EventDispatch::clearProgramEnded() {
    s_ended = false;
}

} // namespace glyphmill
