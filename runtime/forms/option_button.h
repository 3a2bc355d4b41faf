#pragma once

#include <QRadioButton>

namespace glyphmill {

// An option button. Selecting it clears the other option buttons of the same
// container.
class OptionButton : public QRadioButton {
    Q_OBJECT
  public:
    OptionButton(const QString &caption, QWidget *parent);

    bool Value() const { return isChecked(); }
    void SetValue(bool selected);

  protected:
    // A click selects; only selecting another button of the group clears it,
    // also when the button is alone in its container.
    void nextCheckState() override;
};

} // namespace glyphmill
