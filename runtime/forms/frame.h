#pragma once

#include <QFrame>

namespace glyphmill {

// A frame without caption: an etched border that groups the option buttons
// placed inside it.
class Frame : public QFrame {
    Q_OBJECT
  public:
    explicit Frame(QWidget *parent);
};

} // namespace glyphmill
