#include "runtime/form_window.h"

#include "runtime/event_dispatch.h"
#include "runtime/twips.h"

#include <QCloseEvent>
#include <QLayout>

namespace glyphmill {

FormWindow::FormWindow(const QString &name)
    : m_client(new QWidget(this))
{
    setObjectName(name);
    m_client->setObjectName(name + QStringLiteral("_client"));
    setCentralWidget(m_client);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void FormWindow::setClientSize(int widthTwips, int heightTwips)
{
    m_client->setFixedSize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void FormWindow::setCloseHandler(std::function<void()> handler)
{
    m_closeHandler = std::move(handler);
}

void FormWindow::closeEvent(QCloseEvent *event)
{
    // The form decides; hiding happens through its unload or program end.
    event->ignore();
    if (m_closeHandler)
        EventDispatch::run(m_closeHandler);
}

} // namespace glyphmill
