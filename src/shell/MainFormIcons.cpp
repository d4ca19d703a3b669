#include "shell/MainFormIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace qv {

namespace {

void Arrow(QPainter& p, QPointF tip, QPointF dir)
{
    const QPointF n(-dir.y(), dir.x());
    QPolygonF head{tip, tip - dir * 3 + n * 2.5, tip - dir * 3 - n * 2.5};
    p.setBrush(p.pen().color());
    p.drawPolygon(head);
    p.setBrush(Qt::NoBrush);
}

} // namespace

QIcon MakeActionIcon(TActionIcon Kind)
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2, 2); // drawn on a 16 x 16 grid
    const QColor ink(40, 60, 110);
    p.setPen(QPen(ink, 1.4));
    switch (Kind) {
    case TActionIcon::Open: // an opening folder
        p.setBrush(QColor(240, 200, 90));
        p.drawPolygon(QPolygonF{{1.5, 4}, {6, 4}, {7.5, 5.5}, {14.5, 5.5}, {14.5, 13.5}, {1.5, 13.5}});
        break;
    case TActionIcon::SaveAs: // a picture frame with a hill
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.setBrush(QColor(90, 160, 90));
        p.drawPolygon(QPolygonF{{2.5, 12.5}, {7, 7}, {10, 10}, {11.5, 8.5}, {13.5, 12.5}});
        break;
    case TActionIcon::OpenInQuorvane: // a block with an arrow out of it
        p.setBrush(QColor(200, 205, 215));
        p.drawRect(QRectF(1.5, 5.5, 8, 8));
        p.drawLine(QPointF(6, 9), QPointF(14, 2.5));
        Arrow(p, {14.5, 2}, {0.78, -0.62});
        break;
    case TActionIcon::About:
        p.setBrush(QColor(70, 110, 200));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(QPointF(8, 7), QPointF(8, 12));
        p.drawPoint(QPointF(8, 4.5));
        break;
    case TActionIcon::Pan: // four arrows
        p.drawLine(QPointF(8, 2), QPointF(8, 14));
        p.drawLine(QPointF(2, 8), QPointF(14, 8));
        Arrow(p, {8, 1}, {0, -1});
        Arrow(p, {8, 15}, {0, 1});
        Arrow(p, {1, 8}, {-1, 0});
        Arrow(p, {15, 8}, {1, 0});
        break;
    case TActionIcon::Rotate: // an arc with an arrow
        p.drawArc(QRectF(2.5, 2.5, 11, 11), 90 * 16, 270 * 16);
        Arrow(p, {13.5, 7}, {0, -1});
        break;
    case TActionIcon::Zoom: // a magnifier
        p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
        p.setPen(QPen(ink, 2.5));
        p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
        break;
    case TActionIcon::Orbit: // an orbit round a centre
        p.drawEllipse(QRectF(1.5, 5, 13, 6));
        p.setBrush(ink);
        p.drawEllipse(QRectF(6, 6, 4, 4));
        Arrow(p, {14.5, 8.5}, {0.2, 1});
        break;
    case TActionIcon::Exit: // a door with an arrow
        p.drawRect(QRectF(2.5, 1.5, 7, 13));
        p.drawLine(QPointF(7, 8), QPointF(14, 8));
        Arrow(p, {15, 8}, {1, 0});
        break;
    }
    p.end();
    return QIcon(pm);
}

} // namespace qv
