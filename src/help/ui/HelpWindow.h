#pragma once

#include <QDialog>

class QTextBrowser;
class QToolButton;

// Where a help page is read: `pagePath` when it exists (the folder the
// program was started in), else a page of the same name beside the
// executable in `programDir` (a build folder), else in
// `programDir`/../share/quilvane (an installed program). `pagePath` itself
// when none exists.
QString LocateHelpPage(const QString& pagePath, const QString& programDir);

// "Quilvane Help": a viewer of the help page with back, forward and home.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows `pagePath` (or the page LocateHelpPage finds for it beside the
    // running program), or a short note when it cannot be found.
    void showPage(const QString& pagePath);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
    QToolButton* back_;
    QToolButton* forward_;
    QToolButton* home_;
};
