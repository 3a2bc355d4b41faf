#pragma once

#include "runtime/forms/form_of.h"

class QAction;
class QMenu;

namespace glyphmill {

class CommandButton;
class Frame;
class Label;
class OptionButton;
class SingleLineTextBox;
class TextBox;

struct Form1Controls {
    Frame *Frame2 = nullptr;
    OptionButton *Option3 = nullptr;
    SingleLineTextBox *Text5 = nullptr;
    TextBox *Text2 = nullptr;
    OptionButton *Option2 = nullptr;
    OptionButton *Option1 = nullptr;
    Frame *Frame1 = nullptr;
    TextBox *Text4 = nullptr;
    TextBox *Text3 = nullptr;
    CommandButton *Command1 = nullptr;
    TextBox *Text1 = nullptr;
    Label *Label4 = nullptr;
    Label *Label1 = nullptr;
    Label *Label3 = nullptr;
    Label *Label2 = nullptr;
    QMenu *mnufiles = nullptr;
    QAction *mnuabout = nullptr;
    QAction *mnuhelp = nullptr;
    QAction *mnustreck = nullptr;
    QAction *mnuexit = nullptr;
};

// The main window: input and answer boxes, the choice of conversion, "DO!!!"
// and the "Files" menu.
class Form1 : public FormOf<Form1Controls> {
  public:
    Form1();

    void Command1_Click();
    void Text1_KeyDown(int KeyCode, int Shift);
    void Text3_KeyDown(int KeyCode, int Shift);
    void mnuabout_Click();
    void mnuhelp_Click();
    void mnuexit_Click();

  protected:
    void createControls(FormWindow &window) override;
    void closeRequested() override;

  private:
    void convertNumberToBinary();
    void convertTextToBinary();
    void convertBinaryToText();
    void keyDown(int KeyCode);
};

} // namespace glyphmill
