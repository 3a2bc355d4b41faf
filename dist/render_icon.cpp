// Renders the program's 32 x 32 pixel icon for the desktop's icon theme as a
// PNG of a small square size. (The larger sizes are drawn as vectors.)
//
// Usage: glyphmill_render_icon ICON.xpm OUTPUT.png SIZE

#include <QImage>
#include <QString>

#include <cstdio>

namespace {

// Whole multiples keep every source pixel a sharp square block; other sizes
// are filtered so the drawing does not lose whole rows or columns.
QImage scaled(const QImage &icon, int size) {
    const bool wholeMultiple = size % icon.width() == 0 && size % icon.height() == 0;
    return icon.scaled(size, size, Qt::IgnoreAspectRatio,
                       wholeMultiple ? Qt::FastTransformation : Qt::SmoothTransformation);
}

int fail(const char *message, const char *argument) {
    std::fprintf(stderr, "glyphmill_render_icon: %s: %s\n", message, argument);
    return 1;
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc != 4) {
        std::fputs("usage: glyphmill_render_icon ICON.xpm OUTPUT.png SIZE\n", stderr);
        return 2;
    }
    QImage icon;
    if (!icon.load(QString::fromLocal8Bit(argv[1])))
        return fail("cannot read the icon", argv[1]);
    icon = icon.convertToFormat(QImage::Format_ARGB32);

    const QString output = QString::fromLocal8Bit(argv[2]);
    bool isNumber = false;
    const int size = QString::fromLocal8Bit(argv[3]).toInt(&isNumber);
    if (!isNumber || size < 1 || size > 1024)
        return fail("the size must be 1 to 1024 pixels", argv[3]);
    if (!scaled(icon, size).save(output, "PNG"))
        return fail("cannot write", argv[2]);
    return 0;
}
