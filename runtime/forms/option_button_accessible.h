#pragma once

#include <QAccessibleWidget>

namespace glyphmill {

class OptionButton;

// What assistive technology sees of an option button: always a radio button,
// named by its caption. Qt would announce a button that is not auto-exclusive,
// such as one alone in its frame, as a check box.
class OptionButtonAccessible : public QAccessibleWidget {
  public:
    explicit OptionButtonAccessible(OptionButton *button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

  private:
    OptionButton *button() const;
};

} // namespace glyphmill
