#include "widgets/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <functional>

namespace Widgets {

namespace {

constexpr int kSize = 64;

QIcon painted(const std::function<void(QPainter &)> &draw)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return QIcon(pixmap);
}

QPainterPath polygon(std::initializer_list<QPointF> corners)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(corners)));
    path.closeSubpath();
    return path;
}

void drawFolder(QPainter &p)
{
    const QPainterPath path = polygon({{6, 16}, {24, 16}, {30, 22}, {58, 22}, {58, 54}, {6, 54}});
    p.setPen(QPen(QColor(150, 110, 20), 2));
    p.setBrush(QColor(240, 200, 80));
    p.drawPath(path);
}

} // namespace

namespace Icons {

QIcon plus()
{
    return painted([](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 150, 40));
        p.drawRect(26, 10, 12, 44);
        p.drawRect(10, 26, 44, 12);
    });
}

QIcon minus()
{
    return painted([](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 30, 30));
        p.drawRect(10, 26, 44, 12);
    });
}

QIcon erase()
{
    return painted([](QPainter &p) {
        QFont font;
        font.setBold(true);
        font.setPixelSize(24);
        p.setFont(font);
        p.setPen(QColor(40, 40, 40));
        p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("EFF"));
    });
}

QIcon diskette()
{
    return painted([](QPainter &p) {
        p.setPen(QPen(QColor(20, 40, 90), 2));
        p.setBrush(QColor(50, 90, 170));
        p.drawRect(8, 8, 48, 48);
        p.setBrush(QColor(230, 230, 230));
        p.drawRect(18, 8, 28, 18);
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(16, 36, 32, 20);
    });
}

QIcon folderOne()
{
    return painted([](QPainter &p) {
        drawFolder(p);
        QFont font;
        font.setBold(true);
        font.setPixelSize(26);
        p.setFont(font);
        p.setPen(QColor(30, 30, 30));
        p.drawText(QRect(6, 22, 52, 32), Qt::AlignCenter, QStringLiteral("1"));
    });
}

QIcon folderArrow()
{
    return painted([](QPainter &p) {
        drawFolder(p);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 110, 200));
        const QPainterPath arrow = polygon({{16, 34}, {34, 34}, {34, 27}, {48, 38}, {34, 49}, {34, 42}, {16, 42}});
        p.drawPath(arrow);
    });
}

QIcon dropArea()
{
    return painted([](QPainter &p) {
        p.setPen(QPen(QColor(90, 90, 90), 2, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(6, 6, 52, 52, 6, 6);
        p.setPen(QPen(QColor(90, 90, 90), 4));
        p.drawLine(32, 16, 32, 44);
        p.drawLine(20, 32, 32, 44);
        p.drawLine(44, 32, 32, 44);
    });
}

QIcon padlock(bool open)
{
    return painted([open](QPainter &p) {
        p.setPen(QPen(QColor(90, 90, 90), 6));
        p.setBrush(Qt::NoBrush);
        if (open) { // the shackle swung out to the right, one leg free
            p.drawArc(QRect(30, 4, 28, 32), 0, 180 * 16);
            p.drawLine(30, 20, 30, 30);
            p.drawLine(58, 20, 58, 24);
        } else {
            p.drawArc(QRect(18, 6, 28, 36), 0, 180 * 16);
            p.drawLine(18, 24, 18, 30);
            p.drawLine(46, 24, 46, 30);
        }
        p.setPen(QPen(QColor(140, 100, 10), 2));
        p.setBrush(QColor(230, 180, 40));
        p.drawRoundedRect(QRect(10, 28, 44, 30), 4, 4);
        p.setBrush(QColor(90, 60, 0));
        p.drawEllipse(QPoint(32, 42), 4, 4);
    });
}

} // namespace Icons

} // namespace Widgets
