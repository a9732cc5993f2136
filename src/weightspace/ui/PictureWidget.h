#pragma once

#include <QImage>
#include <QSize>
#include <QWidget>

#include <functional>

class QToolButton;

// A picture drawn elsewhere, shown at its own size over white inside a
// scroll area.
class PictureWidget : public QWidget {
public:
    // `picture` and `extent` (the part of it worth scrolling over) are asked
    // for at every refresh and repaint.
    PictureWidget(std::function<const QImage&()> picture, std::function<QSize()> extent, QWidget* parent = nullptr);
    // The picture changed: the widget covers the extent and whatever more of
    // the picture `visible` (the scroll area's viewport) has room for.
    void refresh(QSize visible);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<const QImage&()> picture_;
    std::function<QSize()> extent_;
};

// A flat tool button with a text caption and a hint, as the picture
// windows' tool bars have.
QToolButton* TextToolButton(QWidget* parent, const QString& hint, const QString& caption);
