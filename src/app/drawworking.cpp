// Draws the busy window's picture (400 x 110: a pale blue rounded frame, an hourglass in a round inset
// on the left, a white rounded panel on the right for the label) and the 48 x 48 program icon, and saves
// them into the installation folder: drawworking <folder>. Run by hand when the pictures are to change.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

void hourglass(QPainter &p, QPointF centre, double size) {
    const double w = size * 0.42, h = size * 0.62;
    QPainterPath glass;
    glass.moveTo(centre.x() - w, centre.y() - h);
    glass.lineTo(centre.x() + w, centre.y() - h);
    glass.cubicTo(centre.x() + w, centre.y() - h * 0.3, centre.x() + w * 0.12, centre.y() - h * 0.15,
                  centre.x() + w * 0.12, centre.y());
    glass.cubicTo(centre.x() + w * 0.12, centre.y() + h * 0.15, centre.x() + w, centre.y() + h * 0.3, centre.x() + w,
                  centre.y() + h);
    glass.lineTo(centre.x() - w, centre.y() + h);
    glass.cubicTo(centre.x() - w, centre.y() + h * 0.3, centre.x() - w * 0.12, centre.y() + h * 0.15,
                  centre.x() - w * 0.12, centre.y());
    glass.cubicTo(centre.x() - w * 0.12, centre.y() - h * 0.15, centre.x() - w, centre.y() - h * 0.3, centre.x() - w,
                  centre.y() - h);
    p.setPen(QPen(QColor(60, 80, 120), 2));
    p.setBrush(QColor(235, 245, 255));
    p.drawPath(glass);
    // Sand: a little left on top, a heap below and the thin stream between.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(226, 178, 74));
    QPainterPath top;
    top.moveTo(centre.x() - w * 0.55, centre.y() - h * 0.35);
    top.lineTo(centre.x() + w * 0.55, centre.y() - h * 0.35);
    top.lineTo(centre.x(), centre.y() - h * 0.05);
    p.drawPath(top);
    QPainterPath heap;
    heap.moveTo(centre.x() - w * 0.85, centre.y() + h * 0.95);
    heap.quadTo(centre.x(), centre.y() + h * 0.25, centre.x() + w * 0.85, centre.y() + h * 0.95);
    p.drawPath(heap);
    p.drawRect(QRectF(centre.x() - 1, centre.y() - h * 0.05, 2, h * 0.6));
    // The wooden ends.
    p.setBrush(QColor(140, 90, 50));
    p.drawRoundedRect(QRectF(centre.x() - w * 1.25, centre.y() - h - 6, w * 2.5, 7), 2, 2);
    p.drawRoundedRect(QRectF(centre.x() - w * 1.25, centre.y() + h - 1, w * 2.5, 7), 2, 2);
}

QImage busyPicture() {
    QImage image(400, 110, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient frame(0, 0, 0, 110);
    frame.setColorAt(0, QColor(196, 222, 246));
    frame.setColorAt(1, QColor(150, 190, 232));
    p.setPen(QPen(QColor(90, 130, 190), 2));
    p.setBrush(frame);
    p.drawRoundedRect(QRectF(1, 1, 398, 108), 14, 14);
    QRadialGradient inset(QPointF(62, 55), 46);
    inset.setColorAt(0, QColor(255, 255, 255));
    inset.setColorAt(1, QColor(176, 206, 238));
    p.setPen(QPen(QColor(90, 130, 190), 2));
    p.setBrush(inset);
    p.drawEllipse(QPointF(62, 55), 44, 44);
    hourglass(p, QPointF(62, 55), 52);
    p.setPen(QPen(QColor(120, 160, 210), 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(118, 14, 270, 82), 10, 10);
    return image;
}

QImage icon() {
    QImage image(48, 48, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A ballot box with a paper going in.
    p.setPen(QPen(QColor(40, 60, 110), 2));
    p.setBrush(QColor(70, 110, 180));
    p.drawRoundedRect(QRectF(6, 20, 36, 24), 3, 3);
    p.setBrush(QColor(20, 30, 60));
    p.drawRect(QRectF(15, 20, 18, 3));
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(17, 4, 14, 18));
    p.setPen(QPen(QColor(200, 30, 30), 2));
    p.drawLine(QPointF(20, 12), QPointF(23, 16));
    p.drawLine(QPointF(23, 16), QPointF(29, 7));
    return image.convertToFormat(QImage::Format_Indexed8);
}

} // namespace

int main(int argc, char **argv) {
    QGuiApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const bool ok = busyPicture().save(folder.filePath(QStringLiteral("working.jpg")), "JPEG", 92) &&
                    icon().save(folder.filePath(QStringLiteral("volby.png")), "PNG");
    return ok ? 0 : 1;
}
