// The windows on other desktops than the default light one: texts that read
// on a dark palette too.
#include "about_window/form2.h"
#include "tests/window_fixture/window_fixture.h"
#include "tip_window/frmtip.h"

#include <QAbstractScrollArea>
#include <QStyle>

#include <cmath>

using namespace glyphmill;

namespace {

// The contrast of two colours as the web's accessibility guidelines measure
// it, from 1 (none) to 21 (black on white).
double contrast(const QColor &a, const QColor &b) {
    const auto luminance = [](const QColor &c) {
        double sum = 0;
        for (const auto &[weight, value] :
             {std::pair{0.2126, c.redF()}, {0.7152, c.greenF()}, {0.0722, c.blueF()}})
            sum += weight *
                   (value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4));
        return sum;
    };
    const double first = luminance(a), second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QPalette darkPalette() {
    QPalette dark = QApplication::style()->standardPalette();
    for (const auto &[role, colour] : {std::pair{QPalette::Window, 0x353535},
                                       {QPalette::WindowText, 0xEEEEEE},
                                       {QPalette::Base, 0x2A2A2A},
                                       {QPalette::Text, 0xEEEEEE},
                                       {QPalette::Button, 0x404040},
                                       {QPalette::ButtonText, 0xEEEEEE}})
        dark.setColor(role, QColor::fromRgb(QRgb(colour)));
    return dark;
}

} // namespace

class DesktopTest : public test::WindowTest {
    Q_OBJECT

  private Q_SLOTS:
    // Every text against what lies behind it, as the widget that shows it
    // paints it; the colours a window sets itself stay as they are.
    void textsRead_data() {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("fixedText");
        QTest::addColumn<QColor>("fixedBack");
        const QColor white(Qt::white), none;
        for (const bool dark : {false, true}) {
            const auto row = [dark](const char *form, const char *name, QColor text = {},
                                    QColor back = {}) {
                QTest::addRow("%s %s %s", dark ? "dark" : "light", form, name)
                    << dark << QString::fromLatin1(form) << QString::fromLatin1(name) << text
                    << back;
            };
            for (const char *name : {"Label2", "Label3", "Label1", "Label4", "Option1", "Option3",
                                     "Command1", "Text1", "Text5"})
                row("Form1", name);
            for (const char *name : {"Label1(0)", "Label1(1)", "Label2(2)"})
                row("Form2", name);
            row("Form2", "Label1(3)", none, white);
            row("Form2", "Label2(0)", QColor(255, 0, 255), white);
            for (const char *name : {"Label1", "lblTipText", "cmdOK"})
                row("frmTip", name);
            row("frmTip", "Picture1", none, white);
        }
    }

    void textsRead() {
        QFETCH(bool, dark);
        QFETCH(QString, form);
        QFETCH(QColor, fixedText);
        QFETCH(QColor, fixedBack);
        QApplication::setPalette(dark ? darkPalette() : QApplication::style()->standardPalette());
        QCoreApplication::processEvents(); // the windows take the new palette
        FormWindow &window = form == u"Form1"   ? defaultInstance<Form1>().window()
                             : form == u"Form2" ? defaultInstance<Form2>().window()
                                                : defaultInstance<frmTip>().window();
        QFETCH(QString, name);
        auto *shown = control<QWidget>(qPrintable(name), &window);
        if (auto *box = qobject_cast<QAbstractScrollArea *>(shown))
            shown = box->viewport();
        // A widget that fills no background of its own shows the one behind it.
        const QWidget *behind = shown;
        while (!behind->autoFillBackground() && !behind->isWindow())
            behind = behind->parentWidget();
        const QColor text = shown->palette().color(shown->foregroundRole());
        const QColor back = behind->palette().color(behind->backgroundRole());
        QApplication::setPalette(QApplication::style()->standardPalette());
        if (fixedBack.isValid())
            QCOMPARE(back, fixedBack);
        if (fixedText.isValid())
            QCOMPARE(text, fixedText);
        else if (name != u"Picture1")
            QVERIFY2(contrast(text, back) >= 4.5, qPrintable(text.name() + " on " + back.name()));
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
