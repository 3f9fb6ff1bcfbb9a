#include "ui/editor/editorlink.h"

#include "present/mp3r.h"
#include "ui/editor/nedit.h"
#include "ui/mainwindow/main.h"

void linkeditor(TForm1& main, const std::function<TForm2&()>& editor, TForm6& audio) {
    QObject::connect(&main, &TForm1::newRequested, &main, [editor] { editor().makenew(); });
    QObject::connect(&main, &TForm1::editRequested, &main, [editor](RecordIndex index, int row) {
        editor().editnotification(index, row);
    });
    QObject::connect(&main, &TForm1::audioCloseRequested, &audio,
                     [&audio] { audio.mp3player.Close(); });
}

void connecteditor(TForm1& main, TForm2& editor) {
    QObject::connect(&editor, &TForm2::recordChanged, &main, &TForm1::showpreview);
    QObject::connect(&editor, &TForm2::editingChanged, &main,
                     [&main](bool editing) { main.setEnabled(!editing); });
}
