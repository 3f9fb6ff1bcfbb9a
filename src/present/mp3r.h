#pragma once

#include "present/mediaplayer.h"
#include "present/surfaces.h"

#include <QWidget>

class AudioDevice;

// The never-shown window that holds the program's one media player.
class TForm6 : public QWidget, public AudioSurface {
    Q_OBJECT
public:
    // Plays through `device`, which must outlive the window.
    explicit TForm6(AudioDevice& device, QWidget* parent = nullptr);
    ~TForm6() override;

    // Plays a file once, replacing whatever plays. A missing file changes nothing; a
    // file the device cannot play leaves the player closed, and nobody is told.
    void playaudio(const QString& path) override;

    MediaPlayer mp3player;
};
