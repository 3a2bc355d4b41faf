// Renders the program's 32 x 32 pixel icon for the desktop's icon theme: a PNG
// of any square size, or an SVG that keeps the pixels square at every size.
//
// Usage: glyphmill_render_icon ICON.xpm OUTPUT.png SIZE
//        glyphmill_render_icon ICON.xpm OUTPUT.svg

#include <QFile>
#include <QImage>
#include <QString>
#include <QTextStream>

#include <cstdio>

namespace {

// Whole multiples keep every source pixel a sharp square block; other sizes
// are filtered so the drawing does not lose whole rows or columns.
QImage scaled(const QImage &icon, int size) {
    const bool wholeMultiple = size % icon.width() == 0 && size % icon.height() == 0;
    return icon.scaled(size, size, Qt::IgnoreAspectRatio,
                       wholeMultiple ? Qt::FastTransformation : Qt::SmoothTransformation);
}

QString svgColour(QRgb pixel) {
    return QStringLiteral("#%1%2%3")
        .arg(qRed(pixel), 2, 16, QLatin1Char('0'))
        .arg(qGreen(pixel), 2, 16, QLatin1Char('0'))
        .arg(qBlue(pixel), 2, 16, QLatin1Char('0'));
}

// One rectangle per horizontal run of equal opaque pixels keeps the file small.
bool writeSvg(const QImage &icon, const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    QTextStream out(&file);
    out << QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                          "viewBox=\"0 0 %1 %2\" shape-rendering=\"crispEdges\">\n")
               .arg(icon.width())
               .arg(icon.height());
    for (int y = 0; y < icon.height(); ++y) {
        int x = 0;
        while (x < icon.width()) {
            const QRgb pixel = icon.pixel(x, y);
            int end = x + 1;
            while (end < icon.width() && icon.pixel(end, y) == pixel)
                ++end;
            if (qAlpha(pixel) != 0)
                out << QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"1\" "
                                      "fill=\"%4\"/>\n")
                           .arg(x)
                           .arg(y)
                           .arg(end - x)
                           .arg(svgColour(pixel));
            x = end;
        }
    }
    out << QStringLiteral("</svg>\n");
    out.flush();
    return out.status() == QTextStream::Ok && file.error() == QFileDevice::NoError;
}

int fail(const char *message, const char *argument) {
    std::fprintf(stderr, "glyphmill_render_icon: %s: %s\n", message, argument);
    return 1;
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc < 3 || argc > 4) {
        std::fputs("usage: glyphmill_render_icon ICON.xpm OUTPUT.png SIZE\n"
                   "       glyphmill_render_icon ICON.xpm OUTPUT.svg\n",
                   stderr);
        return 2;
    }
    QImage icon;
    if (!icon.load(QString::fromLocal8Bit(argv[1])))
        return fail("cannot read the icon", argv[1]);
    icon = icon.convertToFormat(QImage::Format_ARGB32);

    const QString output = QString::fromLocal8Bit(argv[2]);
    if (output.endsWith(QStringLiteral(".svg"))) {
        if (argc != 3)
            return fail("an SVG takes no size", argv[3]);
        return writeSvg(icon, output) ? 0 : fail("cannot write", argv[2]);
    }
    if (argc != 4)
        return fail("a PNG needs a size", argv[2]);
    bool isNumber = false;
    const int size = QString::fromLocal8Bit(argv[3]).toInt(&isNumber);
    if (!isNumber || size < 1 || size > 1024)
        return fail("the size must be 1 to 1024 pixels", argv[3]);
    if (!scaled(icon, size).save(output, "PNG"))
        return fail("cannot write", argv[2]);
    return 0;
}
