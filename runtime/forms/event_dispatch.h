#pragma once

#include "runtime/base/runtime_error.h"

#include <QString>

#include <functional>

class QWidget;

namespace glyphmill {

// Delivers events to handlers, one at a time. An error raised in a handler
// stops that handler (and any handler it was called from), keeping what it
// already wrote; the user gets a report and the program goes on. Any other
// failure in a handler (memory running out) is reported and ends the program
// with status 1.
class EventDispatch {
  public:
    using ReportSink = std::function<void(const QString &title, const QString &text)>;

    static void run(const std::function<void()> &handler);

    static void report(const RuntimeError &error);

    // Tests take the reports instead of a message box; an empty sink restores it.
    static void setReportSink(ReportSink sink);

    // Ends the program at once: no handler runs afterwards, and the event loop
    // returns the status.
    static void endProgram(int status = 0);
    static bool programEnded();
    static void clearProgramEnded();

  private:
    // The text the user reads for an error.
    static QString reportText(const RuntimeError &error);
    static void endOnError(const RuntimeError &error);

    static int s_depth;
    static bool s_ended;
};

} // namespace glyphmill
