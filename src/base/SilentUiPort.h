#pragma once

#include "base/UiPort.h"

// A port with nobody at the other end: it shows nothing, answers No and
// cancels every input. Ports for scripts and benchmarks start from it and
// answer what they know.
class SilentUiPort : public UiPort {
public:
    void showMessage(MsgKind, const QString&) override {}
    Answer ask(const QString&, bool) override { return Answer::No; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> chooseOpenFile(const QString&, const QStringList&, const QString&) override { return {}; }
    std::optional<QString> chooseSaveFile(const QString&, const QStringList&, const QString&) override { return {}; }
    std::optional<Color> chooseColor(Color) override { return {}; }
    void setStatusText(int, const QString&) override {}
    void showProgress(int, int) override {}
    void hideProgress() override {}
    void setBusy(bool) override {}
    void processEvents() override {}
    void notify(UiEvent) override {}
};
