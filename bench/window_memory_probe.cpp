// The window's peak memory around one large conversion: the window shown
// with empty boxes, the input set, then "DO!!!". Each figure is the peak
// resident size of the process so far.
#include "command_button.h"
#include "default_instances.h"
#include "event_dispatch.h"
#include "form1.h"
#include "option_button.h"
#include "program.h"
#include "text_box.h"

#include <QApplication>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace glyphmill;

namespace {

long peakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Lines of text as a user pastes them, or the digits of such text.
QString input(bool digits, qsizetype size) {
    const QString sentence = QStringLiteral("The quick brown fox jumps over the lazy dog.\r\n");
    QString text;
    text.reserve(size);
    for (qsizetype i = 0; text.size() < size; ++i) {
        const QChar c = sentence[i % sentence.size()];
        if (!digits) {
            text += c;
            continue;
        }
        for (int bit = 7; bit >= 0; --bit)
            text += (c.unicode() >> bit) & 1 ? QChar(u'1') : QChar(u'0');
        text += QStringLiteral("\r\n");
    }
    text.truncate(size);
    return text;
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    Program::configure(app);
    const bool binary = argc > 1 && std::strcmp(argv[1], "binary-to-text") == 0;
    const qsizetype size = argc > 2 ? std::atol(argv[2]) : 1024 * 1024;

    Form1 &form = defaultInstance<Form1>();
    EventDispatch::run([&] { form.Show(); });
    QApplication::processEvents();
    std::printf("window shown:           %8ld KiB\n", peakKiB());

    FormWindow &window = form.window();
    if (binary)
        window.findChild<OptionButton *>(QStringLiteral("Option2"))->SetValue(true);
    window.findChild<TextBox *>(QStringLiteral("Text1"))->SetText(input(binary, size));
    QApplication::processEvents();
    std::printf("input of %lld characters: %8ld KiB\n", static_cast<long long>(size), peakKiB());

    window.findChild<CommandButton *>(QStringLiteral("Command1"))->SetValue(true);
    QApplication::processEvents();
    const qsizetype answer = window.findChild<TextBox *>(QStringLiteral("Text3"))->Text().size();
    std::printf("after %s: %8ld KiB (answer of %lld characters)\n",
                binary ? "binary to text" : "text to binary", peakKiB(),
                static_cast<long long>(answer));
    DefaultInstances::clear();
    return 0;
}
