#include "runtime/forms/application_start.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace glyphmill {
namespace {

struct HeldMessage {
    QtMsgType type;
    const char *file, *function, *category;
    int line;
    QString text;
};

std::vector<HeldMessage> &heldMessages() {
    static std::vector<HeldMessage> held;
    return held;
}

std::string &programName() {
    static std::string name;
    return name;
}

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text) {
    if (type != QtFatalMsg) {
        heldMessages().push_back(
            {type, context.file, context.function, context.category, context.line, text});
        return;
    }
    const char *display = std::getenv("DISPLAY");
    const std::string where = display && *display ? std::string("on \"") + display + "\""
                                                  : std::string("(DISPLAY is not set)");
    std::fprintf(stderr, "%s: no display could be opened %s\n", programName().c_str(),
                 where.c_str());
    // Nothing of Qt's half-made start may run down, and no core is wanted.
    std::_Exit(1);
}

} // namespace

std::unique_ptr<QApplication> ApplicationStart::open(int &argc, char **argv) {
    const std::string path = argc > 0 && argv[0] ? argv[0] : "glyphmill";
    programName() = path.substr(path.find_last_of('/') + 1);
    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const HeldMessage &message : std::exchange(heldMessages(), {}))
        qt_message_output(
            message.type,
            QMessageLogContext(message.file, message.line, message.function, message.category),
            message.text);
    return application;
}

} // namespace glyphmill
