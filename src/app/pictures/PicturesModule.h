#pragma once

// The pictures of quilvane-batch, built as a module of their own
// (libquilvane_pictures.so) that the program loads only when a picture is to
// be written: everything else runs on QtCore alone, without the GUI library
// and what it brings. Both sides are built from the same tree, so the
// entry points pass the program's own types.

class QByteArray;
class QCoreApplication;
class QString;
struct Workspace;

extern "C" {

// The application object of a run that draws: a QGuiApplication over the
// command line, which draws offscreen unless QT_QPA_PLATFORM says otherwise.
QCoreApplication* quilvane_pictures_application(int* argc, char** argv);
using PicturesApplicationEntry = QCoreApplication* (*)(int* argc, char** argv);

// The weight space picture of `ws` as the window first shows it, encoded
// for `path` (PNG when it ends in ".png", else a Windows bitmap), and, during
// ICW from its second iteration on, the contracted cone's picture in `cone`
// (left empty otherwise). False with the reason in `error`.
bool quilvane_weight_space_pictures(Workspace* ws, const QString* path, QByteArray* picture, QByteArray* cone,
                                    QString* error);
using WeightSpacePicturesEntry = bool (*)(Workspace* ws, const QString* path, QByteArray* picture, QByteArray* cone,
                                          QString* error);
}

inline constexpr char kPicturesModuleName[] = "libquilvane_pictures.so";
