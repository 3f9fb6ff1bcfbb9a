#include "present/mp3r.h"

#include "platform/audiodevice.h"
#include "store/filebytes.h"

#include <QCoreApplication>

TForm6::TForm6(AudioDevice& device, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Tool), mp3player(device) {}

TForm6::~TForm6() {
    mp3player.Close();
}

void TForm6::playaudio(const QString& path) {
    // A FIFO or a device would hold the player, and the program, forever.
    if (!isregularfile(path)) return;
    // Windows shown by the same firing get painted before the device is opened.
    QCoreApplication::processEvents();
    mp3player.Close();
    mp3player.FileName = path;
    try {
        mp3player.Open();
        mp3player.Play();
    } catch (const std::exception&) {
        mp3player.Close();
        mp3player.FileName.clear();
    }
}
