#include "solutions/ui/BarPictureWidget.h"

#include <QMouseEvent>
#include <QPainter>

BarPictureWidget::BarPictureWidget(QWidget* parent) : QWidget(parent)
{
    setMinimumWidth(120);
    setAutoFillBackground(false);
}

void BarPictureWidget::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void BarPictureWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!picture_.isNull())
        painter.drawImage(0, 0, picture_);
}

void BarPictureWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit pressed();
}
