#include "runtime/forms/placed.h"

#include "runtime/forms/picture_box.h"
#include "runtime/forms/twips.h"

namespace glyphmill {

void place(QWidget *control, const QString &name, QRect twips) {
    control->setObjectName(name);
    const QRect geometry = twipsRect(twips.x(), twips.y(), twips.width(), twips.height());
    if (auto *box = qobject_cast<PictureBox *>(control->parentWidget()))
        box->placeInside(control, geometry);
    else
        control->setGeometry(geometry);
}

} // namespace glyphmill
