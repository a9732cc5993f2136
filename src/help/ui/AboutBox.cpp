#include "help/ui/AboutBox.h"

#include "base/Messages.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About %1").arg(QString::fromUtf8(msg::kProductName)));
    auto* title = new QLabel(QStringLiteral("<h2>%1</h2><p>%2</p>")
                                 .arg(QString::fromUtf8(msg::kProductName), QString::fromUtf8(msg::kProductLongTitle)),
                             this);
    auto* body = new QLabel(
        QStringLiteral("<p>Version %1</p>"
                       "<p>Explore the efficient solutions of linear problems with up to 20 objectives, "
                       "100 constraints and 101 bounded variables: weighted sums, reference points, "
                       "e-constraints, indifference regions on the weight space, STEM, Pareto Race, "
                       "interval criterion weights, enumeration of efficient vertices and exact nadir values.</p>"
                       "<p>Linear programs are solved with lp_solve 5.5.</p>")
            .arg(QStringLiteral(QUILVANE_VERSION_TEXT)),
        this);
    body->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &AboutBox::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(body);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}
