// "DO!!!" on a 100,000-character input against the answer box alone, in
// one run, and the ways the text widget can take a large text. Runs headless
// (offscreen) unless QT_QPA_PLATFORM says otherwise.
#include "command_button.h"
#include "default_instances.h"
#include "form1.h"
#include "option_button.h"
#include "program.h"
#include "qt_text.h"
#include "text_box.h"
#include "text_to_binary.h"

#include <QApplication>
#include <QPlainTextDocumentLayout>
#include <QTextDocument>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <utility>
#include <vector>

namespace {

using namespace glyphmill;
using Clock = std::chrono::steady_clock;
using Action = std::function<void()>;

constexpr int kRuns = 11;

// One timed step: `prepare` (not timed), then `work` and the events it
// leaves, such as the repaint.
double timedMs(const Action &prepare, const Action &work) {
    prepare();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto start = Clock::now();
    work();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Timing {
    double median = 0;
    double best = 0;
};

// Runs the steps in turns, so that a busy machine slows them alike.
std::vector<Timing> timeInTurns(const std::vector<std::pair<Action, Action>> &steps) {
    std::vector<std::vector<double>> times(steps.size());
    for (int run = 0; run < kRuns; ++run) {
        for (std::size_t i = 0; i < steps.size(); ++i)
            times[i].push_back(timedMs(steps[i].first, steps[i].second));
    }
    std::vector<Timing> timings;
    for (auto &series : times) {
        std::sort(series.begin(), series.end());
        timings.push_back({series[series.size() / 2], series.front()});
    }
    return timings;
}

template <typename T> T *child(QWidget *window, const char *name) {
    T *found = window->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control named %s", name);
    return found;
}

QString printableText(int length) {
    std::mt19937 random(5);
    QString text;
    for (int i = 0; i < length; ++i)
        text.append(QChar(static_cast<char16_t>(0x20 + random() % 95)));
    return text;
}

QString digitLinesOf(const QString &text) {
    const std::string answer = textToBinary(textView(text)).answer;
    return QString::fromLatin1(answer.data(), static_cast<qsizetype>(answer.size()));
}

void compareWithTheBox(const char *title, Form1 &form, const QString &input, const QString &answer,
                       bool asciiToBinary) {
    QWidget *window = &form.window();
    auto *text1 = child<TextBox>(window, "Text1");
    auto *text3 = child<TextBox>(window, "Text3");
    auto *command1 = child<CommandButton>(window, "Command1");
    child<OptionButton>(window, asciiToBinary ? "Option1" : "Option2")->SetValue(true);
    text1->SetText(input);

    const Action empty = [&] { text3->SetText(QString()); };
    const Action full = [&] { text3->SetText(answer); };
    const Action box = [&] { text3->SetText(answer); };
    const Action click = [&] { command1->click(); };
    const std::vector<Timing> t =
        timeInTurns({{empty, box}, {empty, click}, {full, box}, {full, click}});
    if (text3->Text() != answer)
        qFatal("the answer box does not hold the expected answer");
    std::printf("%s (%lld characters in, %lld out), ms: median (best) of %d\n", title,
                static_cast<long long>(input.size()), static_cast<long long>(answer.size()), kRuns);
    const char *const states[] = {"empty", "full"};
    for (int state = 0; state < 2; ++state) {
        const Timing &alone = t[2 * state];
        const Timing &whole = t[2 * state + 1];
        std::printf("  answer box %-5s before: box alone %7.1f (%7.1f), DO!!! %7.1f (%7.1f), "
                    "ratio %.2f (%.2f)\n",
                    states[state], alone.median, alone.best, whole.median, whole.best,
                    whole.median / alone.median, whole.best / alone.best);
    }
}

// The ways a plain text widget can take a large text.
struct Method {
    const char *name;
    std::function<void(QPlainTextEdit &, const QString &)> set;
};

QTextDocument *plainDocument(QPlainTextEdit &edit) {
    auto *document = new QTextDocument(&edit);
    document->setDocumentLayout(new QPlainTextDocumentLayout(document));
    document->setDefaultFont(edit.font());
    return document;
}

std::vector<Method> methods() {
    // setDocument deletes the editor's previous document when the editor is
    // its parent, as it is for these.
    return {
        {"setPlainText",
         [](QPlainTextEdit &edit, const QString &text) { edit.setPlainText(text); }},
        {"setPlainText, undo off",
         [](QPlainTextEdit &edit, const QString &text) {
             edit.setUndoRedoEnabled(false);
             edit.setPlainText(text);
         }},
        {"setPlainText, updates off",
         [](QPlainTextEdit &edit, const QString &text) {
             edit.setUpdatesEnabled(false);
             edit.setPlainText(text);
             edit.setUpdatesEnabled(true);
         }},
        {"setPlainText, LF line ends",
         [](QPlainTextEdit &edit, const QString &text) {
             QString lines = text;
             lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
             edit.setPlainText(lines);
         }},
        {"clear, then appendPlainText",
         [](QPlainTextEdit &edit, const QString &text) {
             edit.clear();
             edit.appendPlainText(text);
         }},
        {"fresh document, filled, then set",
         [](QPlainTextEdit &edit, const QString &text) {
             QTextDocument *document = plainDocument(edit);
             document->setPlainText(text);
             edit.setDocument(document);
         }},
        {"fresh document, set, then filled",
         [](QPlainTextEdit &edit, const QString &text) {
             QTextDocument *document = plainDocument(edit);
             edit.setDocument(document);
             document->setPlainText(text);
         }},
        {"document()->setPlainText",
         [](QPlainTextEdit &edit, const QString &text) { edit.document()->setPlainText(text); }},
        {"document()->setPlainText, undo off",
         [](QPlainTextEdit &edit, const QString &text) {
             edit.document()->setUndoRedoEnabled(false);
             edit.document()->setPlainText(text);
         }},
        {"TextBox::SetText (as built)",
         [](QPlainTextEdit &edit, const QString &text) {
             static_cast<TextBox &>(edit).SetText(text);
         }},
        {"setPlainText (again, as a control)",
         [](QPlainTextEdit &edit, const QString &text) { edit.setPlainText(text); }},
    };
}

void compareMethods(const QString &answer) {
    std::printf("Ways to give a text box %lld characters, ms: median (best) of %d\n",
                static_cast<long long>(answer.size()), kRuns);
    std::printf("  %-36s %19s %19s\n", "", "empty before", "full before");
    const std::vector<Method> all = methods();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Method &method = all[i];
        QWidget window;
        window.resize(480, 400);
        auto *box = new TextBox(&window);
        box->setGeometry(240, 24, 217, 193);
        window.show();
        QCoreApplication::processEvents();
        const Action clear = [&] { box->SetText(QString()); };
        const Action give = [&] { method.set(*box, answer); };
        // The first text laid out also fills the font caches.
        if (i == 0)
            timeInTurns({{clear, give}});
        const std::vector<Timing> t = timeInTurns({{clear, give}, {give, give}});
        if (box->toPlainText().size() < answer.size() * 8 / 10)
            qFatal("%s lost the text", method.name);
        std::printf("  %-36s %9.1f (%7.1f) %9.1f (%7.1f)\n", method.name, t[0].median, t[0].best,
                    t[1].median, t[1].best);
    }
}

} // namespace

int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QApplication app(argc, argv);
    Program::configure(app);
    {
        Form1 &form = defaultInstance<Form1>();
        form.Show();
        QCoreApplication::processEvents();

        const QString text = printableText(100'000);
        compareWithTheBox("Ascii To Binary", form, text, digitLinesOf(text), true);
        const QString digits = digitLinesOf(printableText(10'000));
        compareWithTheBox("Binary To Ascii", form, digits, printableText(10'000), false);
        compareMethods(digitLinesOf(text));
    }
    DefaultInstances::clear();
    return 0;
}
