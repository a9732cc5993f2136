#pragma once

#include <QString>

class DialogPort;
class Session;
class UiPort;
struct Workspace;

// The basket commands: store the current solution, delete a range, the store
// option, the colour of the newest solution, "View the last N" and the
// tolerance question of the exact nadir.
//
// Works on the session it is made with, which must outlive it.
class BasketCommands {
public:
    explicit BasketCommands(Session& session);

    // The "View the last N" field changed.
    void setViewLastNText(const QString& text);
    void toggleAskTolerance();
    // Colour command: a new colour for the newest computed solution.
    void chooseColour();
    // Basket commands.
    void storeCurrentSolution();
    void deleteSolutions();
    // The store option ("Options to save solutions"): true stores every
    // nondominated solution computed.
    void setStoreAllSolutions(bool all);

private:
    void setViewLastN(int n);

    Session& s_;
    Workspace& ws_;
    UiPort& ui_;
    DialogPort& dialogs_;
};
