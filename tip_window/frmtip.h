#pragma once

#include "runtime/forms/form_of.h"

#include <QStringList>

#include <cstdint>

namespace glyphmill {

class CommandButton;
class Label;
class PictureBox;

struct frmTipControls {
    CommandButton *cmdNextTip = nullptr;
    PictureBox *Picture1 = nullptr;
    Label *Label1 = nullptr;
    Label *lblTipText = nullptr;
    CommandButton *cmdOK = nullptr;
};

// The "Tip of the Day" window: one random line of the tips file "help.cfg",
// another on "Next Tip".
class frmTip : public FormOf<frmTipControls> {
  public:
    frmTip();

    // Module variables. The tips outlive an unload: every opening appends the
    // file's lines once more.
    QStringList Tips;
    std::int32_t CurrentTip = 0; // from 1

    // Appends the lines of a tips file to Tips and shows a random tip. False
    // when the file is missing or cannot be read; then nothing is added.
    bool LoadTips(const QString &file);
    // Shows tip CurrentTip; with no tips the label keeps what it shows.
    void DisplayCurrentTip();

    void cmdNextTip_Click();
    void cmdOK_Click();

  protected:
    void createControls(FormWindow &window) override;
    void Form_Load() override;

  private:
    void PickRandomTip();
    // Enter presses the focused button, else "OK"; Esc presses "OK".
    void addDefaultAndCancelKeys(FormWindow &window);
};

} // namespace glyphmill
