#pragma once

#include <QRect>
#include <QWidget>

#include <type_traits>
#include <utility>

namespace glyphmill {

// Gives a control its name, by which tests and screen readers find it, and
// its place in twips (left, top, width, height) in its parent; inside a
// picture box the place counts from the inside of the border.
void place(QWidget *control, const QString &name, QRect twips);

// A new control of a window, named and placed: `placed<Label>(client,
// "Label3", {3720, 120, 570, 195})`. Arguments past the place go to the
// control's constructor, before the parent when it takes them there (the
// caption of a button), else after it.
template <typename Control, typename... Args>
Control *placed(QWidget *parent, const QString &name, QRect twips, Args &&...args) {
    Control *control = nullptr;
    if constexpr (std::is_constructible_v<Control, Args..., QWidget *>)
        control = new Control(std::forward<Args>(args)..., parent);
    else
        control = new Control(parent, std::forward<Args>(args)...);
    place(control, name, twips);
    return control;
}

template <typename Control, typename... Args>
Control *placed(QWidget *parent, const char *name, QRect twips, Args &&...args) {
    return placed<Control>(parent, QString::fromLatin1(name), twips, std::forward<Args>(args)...);
}

} // namespace glyphmill
