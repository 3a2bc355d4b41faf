#include "tip_window/frmtip.h"

#include "runtime/base/line_input.h"
#include "runtime/base/random_numbers.h"
#include "runtime/forms/app.h"
#include "runtime/forms/basic_colours.h"
#include "runtime/forms/command_button.h"
#include "runtime/forms/data_folders.h"
#include "runtime/forms/default_instances.h"
#include "runtime/forms/label.h"
#include "runtime/forms/picture_box.h"
#include "runtime/forms/placed.h"
#include "runtime/forms/program.h"
#include "runtime/forms/qt_text.h"
#include "runtime/forms/twips.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QShortcut>

#include <cmath>

namespace glyphmill {
namespace {

const QString kTipsFileName = QStringLiteral("help.cfg");

QString missingTipsFileMessage() {
    return QStringLiteral("That the ") + kTipsFileName + QStringLiteral(" file was not found? ") +
           QStringLiteral("\r\n") + QStringLiteral("\r\n") +
           QStringLiteral("Create a text file named ") + kTipsFileName +
           QStringLiteral(" using NotePad with 1 tip per line. ") +
           QStringLiteral("Then place it in the same directory as the application. ");
}

// Beside the program first (a build tree, a portable copy), then in the
// user's data folder (~/.local/share/glyphmill), then in the system's
// (/usr/local/share/glyphmill, /usr/share/glyphmill). With none, the name
// beside the program, which the missing-file message speaks of.
QString tipsFile() {
    const QString beside = QDir(App::Path()).filePath(kTipsFileName);
    if (QFileInfo(beside).isFile())
        return beside;
    const QString shared = DataFolders::locate(QStringLiteral("glyphmill/") + kTipsFileName);
    return shared.isEmpty() ? beside : shared;
}

// The labels on the white picture box: white too, text from the top left,
// sized as designed whatever they show.
Label *boxLabel(PictureBox *box, const char *name, QRect twips) {
    auto *label = placed<Label>(box, name, twips, false);
    label->SetBackColor(kWhite);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

frmTip::frmTip()
    : FormOf(QStringLiteral("frmTip")) {}

void frmTip::createControls(FormWindow &window) {
    window.setWindowTitle(QStringLiteral("Tip of the Day"));
    window.setWindowIcon(Program::icon());
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
    window.setFont(Program::defaultFont());
    window.setClientSize(5415, 3000);
    QWidget *client = window.client();

    cmdNextTip = placed<CommandButton>(client, "cmdNextTip", {4080, 600, 1215, 375},
                                       QStringLiteral("&Next Tip"));
    Picture1 = placed<PictureBox>(client, "Picture1", {120, 120, 3735, 2715});
    Picture1->SetBackColor(kWhite);
    Picture1->SetPicture(QPixmap(QStringLiteral(":/glyphmill/glyphmill.xpm")));
    // The box shows no mark of focus, so it takes none.
    Picture1->setFocusPolicy(Qt::NoFocus);
    Label1 = boxLabel(Picture1, "Label1", {540, 180, 2655, 255});
    Label1->SetCaption(QStringLiteral("Did you know..."));
    lblTipText = boxLabel(Picture1, "lblTipText", {180, 840, 3255, 1635});
    lblTipText->setWordWrap(true);
    cmdOK = placed<CommandButton>(client, "cmdOK", {4080, 120, 1215, 375}, QStringLiteral("OK"));
    cmdOK->setDefault(true);

    QWidget::setTabOrder(cmdOK, cmdNextTip);
    cmdOK->setFocus();

    cmdNextTip->setClickHandler([this] { cmdNextTip_Click(); });
    cmdOK->setClickHandler([this] { cmdOK_Click(); });
    addDefaultAndCancelKeys(window);
    window.move(twipsToPixels(2370), twipsToPixels(2400));
    window.placeBeside(Program::mainWindow());
}

void frmTip::addDefaultAndCancelKeys(FormWindow &window) {
    const auto pressDefault = [this] {
        if (cmdNextTip && cmdNextTip->hasFocus())
            cmdNextTip->click();
        else if (cmdOK)
            cmdOK->click();
    };
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto *shortcut = new QShortcut(QKeySequence(key), &window);
        QObject::connect(shortcut, &QShortcut::activated, &window, pressDefault);
    }
    auto *cancel = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(cancel, &QShortcut::activated, &window, [this] {
        if (cmdOK)
            cmdOK->click();
    });
}

void frmTip::Form_Load() {
    RandomNumbers::randomize();
    if (!LoadTips(tipsFile()))
        lblTipText->SetCaption(missingTipsFileMessage());
}

bool frmTip::LoadTips(const QString &file) {
    if (file.isEmpty())
        return false;
    LineInput input;
    if (!input.open(std::filesystem::path(QFile::encodeName(file).toStdString())))
        return false;
    while (!input.atEnd())
        Tips.append(qtText(input.readLine()));
    input.close();
    PickRandomTip();
    return true;
}

void frmTip::PickRandomTip() {
    const double r = RandomNumbers::next();
    CurrentTip = static_cast<std::int32_t>(std::floor(r * double(Tips.size()) + 1));
    defaultInstance<frmTip>().DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip() {
    window();
    if (!Tips.isEmpty())
        lblTipText->SetCaption(Tips.at(CurrentTip - 1));
}

void frmTip::cmdNextTip_Click() {
    PickRandomTip();
}

void frmTip::cmdOK_Click() {
    Unload();
}

} // namespace glyphmill
