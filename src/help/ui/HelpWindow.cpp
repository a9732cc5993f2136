#include "help/ui/HelpWindow.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent), browser_(new QTextBrowser(this)), back_(new QToolButton(this)),
      forward_(new QToolButton(this)), home_(new QToolButton(this))
{
    setWindowTitle(QStringLiteral("Quilvane Help"));
    resize(820, 640);

    back_->setText(QStringLiteral("Back"));
    back_->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    back_->setShortcut(QKeySequence::Back);
    forward_->setText(QStringLiteral("Forward"));
    forward_->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    forward_->setShortcut(QKeySequence::Forward);
    home_->setText(QStringLiteral("Home"));
    home_->setIcon(style()->standardIcon(QStyle::SP_DirHomeIcon));
    for (QToolButton* b : {back_, forward_, home_})
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    back_->setEnabled(false);
    forward_->setEnabled(false);

    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(home_, &QToolButton::clicked, browser_, &QTextBrowser::home);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    browser_->setOpenExternalLinks(true);

    auto* bar = new QHBoxLayout;
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addWidget(home_);
    bar->addStretch();
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(close, &QDialogButtonBox::rejected, this, &HelpWindow::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(browser_);
    layout->addWidget(close);
}

QString LocateHelpPage(const QString& pagePath, const QString& programDir)
{
    if (QFileInfo::exists(pagePath))
        return pagePath;
    const QString name = QFileInfo(pagePath).fileName();
    const QDir dir(programDir);
    for (const QString& candidate : {dir.filePath(name), dir.filePath(QStringLiteral("../share/quilvane/") + name)}) {
        const QString path = QDir::cleanPath(candidate);
        if (QFileInfo::exists(path))
            return path;
    }
    return pagePath;
}

void HelpWindow::showPage(const QString& pagePath)
{
    const QString found = LocateHelpPage(pagePath, QCoreApplication::applicationDirPath());
    if (!QFileInfo::exists(found)) {
        browser_->setHtml(QStringLiteral("<h2>Quilvane Help</h2><p>The help page <b>%1</b> was not found. "
                                         "Start Quilvane in the folder that holds Help2.htm.</p>")
                              .arg(pagePath.toHtmlEscaped()));
        return;
    }
    browser_->setSource(QUrl::fromLocalFile(QFileInfo(found).absoluteFilePath()));
}
