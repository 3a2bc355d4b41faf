#include "gui/support/gui_test.h"

namespace glyphmill::test {

ReportCollector::ReportCollector()
{
    EventDispatch::setReportSink([this](const QString &title, const QString &text) {
        m_titles << title;
        m_reports << text;
    });
}

ReportCollector::~ReportCollector()
{
    EventDispatch::setReportSink({});
}

void ReportCollector::clear()
{
    m_reports.clear();
    m_titles.clear();
}

void resetProgram()
{
    DefaultInstances::clear();
    EventDispatch::clearProgramEnded();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace glyphmill::test
