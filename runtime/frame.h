#pragma once

#include <QGroupBox>

namespace glyphmill {

// A frame without caption; it groups the option buttons placed inside it.
class Frame : public QGroupBox {
    Q_OBJECT
public:
    explicit Frame(QWidget *parent);
};

} // namespace glyphmill
