#include "runtime/forms/form_window.h"

#include "runtime/forms/accessible_controls.h"
#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>

#include <algorithm>

namespace glyphmill {

FormWindow::FormWindow(const QString &name)
    : m_client(new QWidget(this)) {
    AccessibleControls::install();
    setObjectName(name);
    m_client->setObjectName(name + QStringLiteral("_client"));
    setCentralWidget(m_client);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void FormWindow::setClientSize(int widthTwips, int heightTwips) {
    m_client->setFixedSize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void FormWindow::setCloseHandler(std::function<void()> handler) {
    m_closeHandler = std::move(handler);
}

void FormWindow::placeBeside(const QWidget *other) {
    if (!other)
        return;
    constexpr int kGap = 8;
    const QRect beside = other->frameGeometry();
    const int width = sizeHint().width();
    QPoint position(beside.right() + 1 + kGap, beside.top());
    if (const QScreen *screen = other->screen();
        screen && position.x() + width > screen->availableGeometry().right())
        position.setX(beside.left() - kGap - width);
    move(position);
}

void FormWindow::open() {
    if (isVisible()) {
        show();
        return;
    }
    // With what is known of the frame before the window is shown, then once
    // more with the frame the window system gave it.
    layout()->activate();
    fitOnScreen();
    show();
    fitOnScreen();
}

void FormWindow::fitOnScreen() {
    const QRect frame = frameGeometry();
    const QScreen *screen = QGuiApplication::screenAt(frame.topLeft());
    if (!screen)
        screen = this->screen();
    const QRect area = screen->availableGeometry();
    const auto fit = [](int start, int length, int areaStart, int areaLength) {
        return length >= areaLength ? areaStart
                                    : std::clamp(start, areaStart, areaStart + areaLength - length);
    };
    move(fit(frame.left(), frame.width(), area.left(), area.width()),
         fit(frame.top(), frame.height(), area.top(), area.height()));
}

void FormWindow::closeEvent(QCloseEvent *event) {
    // The form decides; hiding happens through its unload or program end.
    event->ignore();
    if (m_closeHandler)
        EventDispatch::run(m_closeHandler);
}

} // namespace glyphmill
