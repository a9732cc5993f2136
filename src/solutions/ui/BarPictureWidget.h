#pragma once

#include <QImage>
#include <QWidget>

// Left pane of the main window: shows the picture of the last solutions that
// the core draws. A mouse press asks for a new colour of the last solution.
class BarPictureWidget : public QWidget {
    Q_OBJECT
public:
    explicit BarPictureWidget(QWidget* parent = nullptr);
    void setPicture(const QImage& picture);

signals:
    void pressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage picture_;
};
