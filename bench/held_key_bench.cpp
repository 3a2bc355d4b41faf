// F4 held down over 1 MB of text in "Ascii To Binary" (for one second, or
// the seconds given): how many conversions run and how long the window stays
// busy. The key is held through the X server (xdotool), so that its own key
// repeat fills the queue while a conversion runs:
//   xvfb-run -a build/bench/bench/held_key_bench [seconds]
#include "main_window/form1.h"
#include "runtime/forms/default_instances.h"
#include "runtime/forms/program.h"
#include "runtime/forms/text_box.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QProcess>
#include <QTextDocument>

#include <cstdio>

namespace {

using namespace glyphmill;

// Counts the F4 presses and repeats that reach a box.
class F4Counter : public QObject {
  public:
    explicit F4Counter(QObject *parent)
        : QObject(parent) {}
    int presses = 0;
    int repeats = 0;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_F4)
                ++(key->isAutoRepeat() ? repeats : presses);
        }
        return QObject::eventFilter(watched, event);
    }
};

// Runs the event loop until the condition holds.
template <typename Condition> void waitFor(Condition condition) {
    while (!condition())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

} // namespace

int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "held_key_bench needs an X display: xvfb-run -a held_key_bench\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QApplication app(argc, argv);
    Program::configure(app);
    const QString seconds = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("1");
    {
        Form1 &form = defaultInstance<Form1>();
        form.Show();
        QWidget *window = &form.window();
        auto *input = window->findChild<TextBox *>(QStringLiteral("Text1"));
        auto *answer = window->findChild<TextBox *>(QStringLiteral("Text3"));
        QString text;
        for (int i = 0; i < 1'000'000; ++i)
            text.append(QChar(static_cast<char16_t>(u' ' + i % 95)));
        input->SetText(text);
        input->setFocus();
        waitFor([&] { return QApplication::focusWidget() == input; });
        auto *counter = new F4Counter(input);
        input->installEventFilter(counter);

        // A conversion starts when the answer box is emptied and ends when
        // it gets the last piece of the answer (a large answer comes in
        // pieces).
        QElapsedTimer clock;
        int conversions = 0;
        bool counted = false;
        qint64 started = 0;
        qint64 busy = 0;
        qint64 lastEnd = 0;
        QObject::connect(answer->document(), &QTextDocument::contentsChanged, answer, [&] {
            if (answer->document()->isEmpty()) {
                started = clock.elapsed();
                counted = false;
                return;
            }
            if (counted)
                busy -= lastEnd - started;
            else
                ++conversions;
            counted = true;
            lastEnd = clock.elapsed();
            busy += lastEnd - started;
        });

        QProcess hold;
        clock.start();
        hold.start(QStringLiteral("sh"),
                   {QStringLiteral("-c"),
                    QStringLiteral("xdotool keydown F4; sleep %1; xdotool keyup F4").arg(seconds)});
        hold.waitForStarted();
        // Done once the key is up and no conversion ran for two seconds.
        waitFor([&] {
            return hold.state() == QProcess::NotRunning && clock.elapsed() - lastEnd > 2000;
        });
        std::printf("F4 held %s s over %lld characters: %d presses and %d repeats reached the "
                    "box; %d conversions, %.2f s of conversion, window busy until %.2f s after "
                    "the key went down\n",
                    qPrintable(seconds), static_cast<long long>(text.size()), counter->presses,
                    counter->repeats, conversions, busy / 1000.0, lastEnd / 1000.0);
    }
    DefaultInstances::clear();
    return 0;
}
