#include "runtime/forms/option_button.h"

#include <QApplication>
#include <QPointer>
#include <QProxyStyle>

namespace glyphmill {
namespace {

// The application's style with a narrow gap between the mark and the
// caption and no margins around the caption, so that the captions fit the
// classic compact layout. (A style sheet would fix the button's colours,
// which must follow the system's.)
class CompactSpacing : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override {
        return metric == PM_RadioButtonLabelSpacing
                   ? 2
                   : QProxyStyle::pixelMetric(metric, option, widget);
    }
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override {
        constexpr int kCaptionMargins = 4;
        const QSize full = QProxyStyle::sizeFromContents(type, option, size, widget);
        return type == CT_RadioButton ? full - QSize(kCaptionMargins, 0) : full;
    }
};

QStyle *compactSpacing() {
    static QPointer<QStyle> style;
    if (!style) {
        style = new CompactSpacing(QApplication::style()->name());
        style->setParent(qApp);
    }
    return style;
}

} // namespace

OptionButton::OptionButton(const QString &caption, QWidget *parent)
    : QRadioButton(caption, parent) {
    setStyle(compactSpacing());
}

void OptionButton::SetValue(bool selected) {
    setChecked(selected);
}

void OptionButton::nextCheckState() {
    if (!isChecked())
        setChecked(true);
}

} // namespace glyphmill
