#include "methods/ui/IcwSelectionDialog.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

namespace {

enum class Close { OkButton, EnterKey, EscapeKey };

struct SelectionCase {
    int click;      // choice clicked first, 0 none
    bool arrowDown; // then the Down key on the focused choice
    Close close;
    std::optional<int> expected;
    int shown; // the choice whose weights the status line shows, 0 none
};

class IcwSelection : public ::testing::TestWithParam<SelectionCase> {};

// Three choices in two columns: 1 and 2 in the first, 3 in the second.
TEST_P(IcwSelection, ReturnsWhatWasChosen)
{
    IcwSelectionDialog dialog;
    const QStringList choices{QStringLiteral("Solution 4 [W1]"), QStringLiteral("Solution 5"),
                              QStringLiteral("Solution 4 [W3]")};
    const QStringList status{QStringLiteral("W1 = (1, 0) "), QStringLiteral("W2 = (0, 1) "),
                             QStringLiteral("W3 = (0.5, 0.5) ")};
    QString shown;
    bool noneAtStart = false;
    bool active = false;
    const SelectionCase c = GetParam();
    QTimer::singleShot(0, [&] {
        noneAtStart = dialog.choiceCount() == 3;
        for (int i = 1; i <= dialog.choiceCount(); ++i)
            noneAtStart = noneAtStart && !dialog.choice(i)->isChecked();
        // The arrow keys move between the choices of the active window only.
        dialog.activateWindow();
        active = QTest::qWaitForWindowActive(&dialog);
        if (c.click > 0) {
            dialog.choice(c.click)->click();
            dialog.choice(c.click)->setFocus();
        }
        if (c.arrowDown)
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Down);
        shown = dialog.statusLine()->text();
        switch (c.close) {
        case Close::OkButton: dialog.okButton()->click(); break;
        case Close::EnterKey: QTest::keyClick(dialog.focusWidget(), Qt::Key_Return); break;
        case Close::EscapeKey: QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape); break;
        }
    });
    EXPECT_EQ(dialog.select(QStringLiteral("What solution [Weights] do you prefer?"), choices, status), c.expected);
    EXPECT_TRUE(noneAtStart);
    EXPECT_TRUE(active);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ICW selection"));
    EXPECT_EQ(shown, c.shown > 0 ? status[c.shown - 1] : QString());
}

INSTANTIATE_TEST_SUITE_P(Closings, IcwSelection,
                         ::testing::Values(SelectionCase{3, false, Close::OkButton, 3, 3},
                                           SelectionCase{0, false, Close::OkButton, 0, 0},
                                           SelectionCase{2, false, Close::EscapeKey, std::nullopt, 2},
                                           SelectionCase{1, true, Close::EnterKey, 2, 2}));

} // namespace
