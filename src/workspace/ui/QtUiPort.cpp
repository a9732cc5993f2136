#include "workspace/ui/QtUiPort.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>

namespace {

QString addSuffixIfMissing(const QString& path, const QString& suffix)
{
    if (path.isEmpty() || suffix.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + suffix;
}

} // namespace

QtUiPort::QtUiPort(QWidget* parent) : parent_(parent) {}

void QtUiPort::attachStatusBar(QLabel* panel0, QLabel* panel1, QProgressBar* progress)
{
    panels_[0] = panel0;
    panels_[1] = panel1;
    progress_ = progress;
}

void QtUiPort::showMessage(MsgKind kind, const QString& text)
{
    if (dialogs)
        return dialogs->showMessage(kind, text);
    QMessageBox::Icon icon = QMessageBox::Information;
    QString title = QStringLiteral("Information");
    switch (kind) {
    case MsgKind::Information: break;
    case MsgKind::Warning: icon = QMessageBox::Warning; title = QStringLiteral("Warning"); break;
    case MsgKind::Error: icon = QMessageBox::Critical; title = QStringLiteral("Error"); break;
    case MsgKind::Confirmation: icon = QMessageBox::Question; title = QStringLiteral("Confirm"); break;
    }
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent_);
    box.exec();
}

Answer QtUiPort::ask(const QString& text, bool withCancel)
{
    if (dialogs)
        return dialogs->ask(text, withCancel);
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text, buttons, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return withCancel ? Answer::Cancel : Answer::No;
    }
}

std::optional<QString> QtUiPort::inputText(const QString& title, const QString& prompt, const QString& defaultText)
{
    if (dialogs)
        return dialogs->inputText(title, prompt, defaultText);
    bool ok = false;
    const QString value = QInputDialog::getText(parent_, title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<QString> QtUiPort::chooseOpenFile(const QString& title, const QStringList& filters,
                                                const QString& defaultSuffix)
{
    if (dialogs)
        return dialogs->chooseOpenFile(title, filters, defaultSuffix);
    const QString path = QFileDialog::getOpenFileName(parent_, title, lastDir_, filters.join(QStringLiteral(";;")));
    if (path.isEmpty())
        return std::nullopt;
    lastDir_ = QFileInfo(path).absolutePath();
    return addSuffixIfMissing(path, defaultSuffix);
}

std::optional<QString> QtUiPort::chooseSaveFile(const QString& title, const QStringList& filters,
                                                const QString& defaultSuffix)
{
    if (dialogs)
        return dialogs->chooseSaveFile(title, filters, defaultSuffix);
    // The command asks about overwriting itself, with its own text.
    const QString path = QFileDialog::getSaveFileName(parent_, title, lastDir_, filters.join(QStringLiteral(";;")),
                                                      nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return std::nullopt;
    lastDir_ = QFileInfo(path).absolutePath();
    return addSuffixIfMissing(path, defaultSuffix);
}

std::optional<Color> QtUiPort::chooseColor(Color initial)
{
    if (dialogs)
        return dialogs->chooseColor(initial);
    const QColor chosen = QColorDialog::getColor(QColor(colorRed(initial), colorGreen(initial), colorBlue(initial)),
                                                 parent_, QStringLiteral("Color"));
    if (!chosen.isValid())
        return std::nullopt;
    return rgbColor(chosen.red(), chosen.green(), chosen.blue());
}

void QtUiPort::setStatusText(int panel, const QString& text)
{
    if ((panel == 0 || panel == 1) && panels_[panel])
        panels_[panel]->setText(text);
}

void QtUiPort::showProgress(int position, int maximum)
{
    if (!progress_)
        return;
    progress_->setMaximum(maximum);
    progress_->setValue(position);
    progress_->show();
}

void QtUiPort::hideProgress()
{
    if (progress_)
        progress_->hide();
}

void QtUiPort::setBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void QtUiPort::processEvents() { QApplication::processEvents(); }

void QtUiPort::notify(UiEvent event)
{
    if (onNotify)
        onNotify(event);
}
