#include "runtime/forms/running_program.h"

#include "runtime/forms/application_start.h"
#include "runtime/forms/default_instances.h"
#include "runtime/forms/end_signals.h"
#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/program.h"

#include <QApplication>

namespace glyphmill {

RunningProgram::RunningProgram(int &argc, char **argv)
    : m_application(ApplicationStart::open(argc, argv))
    , m_endSignals(std::make_unique<EndSignals>()) {
    Program::configure(*m_application);
}

RunningProgram::~RunningProgram() {
    DefaultInstances::clear();
    const int signal = m_endSignals->caught();
    m_endSignals.reset();
    m_application.reset();
    if (signal != 0)
        EndSignals::raiseAgain(signal);
}

int RunningProgram::run(const std::function<void()> &startUp) {
    EventDispatch::run(startUp);
    return QApplication::exec();
}

} // namespace glyphmill
