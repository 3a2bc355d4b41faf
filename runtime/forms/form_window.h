#pragma once

#include <QMainWindow>

#include <functional>

namespace glyphmill {

// The top-level window of a form: a client area of fixed size, laid out in
// twips, with an optional menu bar above it.
class FormWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit FormWindow(const QString &name);

    QWidget *client() const { return m_client; }
    void setClientSize(int widthTwips, int heightTwips);
    // Called when the window system asks the window to close; the window
    // stays open unless the handler unloads it.
    void setCloseHandler(std::function<void()> handler);
    // Opens the window beside `other` (to its right, or to its left where the
    // screen ends), top edges aligned; without `other` it stays where it is.
    void placeBeside(const QWidget *other);
    // Shows the window. As it opens it keeps its place where its frame fits
    // in the available area of the screen it opens on, else it moves just
    // enough to fit (to the area's left or top where it is larger).
    void open();

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    void fitOnScreen();

    QWidget *m_client;
    std::function<void()> m_closeHandler;
};

} // namespace glyphmill
