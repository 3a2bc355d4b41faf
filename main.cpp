#include "default_instances.h"
#include "event_dispatch.h"
#include "form1.h"
#include "program.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    glyphmill::Program::configure(app);
    glyphmill::EventDispatch::run([] { glyphmill::defaultInstance<glyphmill::Form1>().Show(); });
    const int status = QApplication::exec();
    // Windows go before the application object does.
    glyphmill::DefaultInstances::clear();
    return status;
}
