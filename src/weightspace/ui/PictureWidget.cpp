#include "weightspace/ui/PictureWidget.h"

#include <QPaintEvent>
#include <QPainter>
#include <QToolButton>

#include <utility>

PictureWidget::PictureWidget(std::function<const QImage&()> picture, std::function<QSize()> extent, QWidget* parent)
    : QWidget(parent), picture_(std::move(picture)), extent_(std::move(extent))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureWidget::refresh(QSize visible)
{
    const QSize extent = extent_().expandedTo(visible).boundedTo(picture_().size());
    setFixedSize(extent.expandedTo(QSize(1, 1)));
    update();
}

void PictureWidget::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.drawImage(event->rect(), picture_(), event->rect());
}

QToolButton* TextToolButton(QWidget* parent, const QString& hint, const QString& caption)
{
    auto* button = new QToolButton(parent);
    button->setText(caption);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    return button;
}
