#pragma once

#include <QDialog>

class QTextBrowser;
class QToolButton;

// "Quilvane Help": a viewer of the help page with back, forward and home.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows `pagePath`, or a short note when it cannot be found.
    void showPage(const QString& pagePath);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
    QToolButton* back_;
    QToolButton* forward_;
    QToolButton* home_;
};
