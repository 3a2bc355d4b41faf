#include "runtime/forms/form_window.h"

#include "runtime/forms/accessible_controls.h"
#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/twips.h"

#include <QCloseEvent>
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
    const QSize size = sizeHint();
    QPoint position(beside.right() + 1 + kGap, beside.top());
    if (const QScreen *screen = other->screen()) {
        const QRect available = screen->availableGeometry();
        if (position.x() + size.width() > available.right())
            position.setX(std::max(available.left(), beside.left() - kGap - size.width()));
        position.setY(std::clamp(position.y(), available.top(),
                                 std::max(available.top(), available.bottom() - size.height())));
    }
    move(position);
}

void FormWindow::closeEvent(QCloseEvent *event) {
    // The form decides; hiding happens through its unload or program end.
    event->ignore();
    if (m_closeHandler)
        EventDispatch::run(m_closeHandler);
}

} // namespace glyphmill
