#pragma once

#include "store/notificationrecord.h"

#include <QFrame>

class Banner;
class PictureJob;
class PicturePane;
class QLabel;

// The panel above the list: the banner and, under it, the previewed Notification's
// picture and its text line in the Notification's own font, at a fifth of its size.
class PreviewPanel : public QFrame {
    Q_OBJECT
public:
    explicit PreviewPanel(QWidget* parent = nullptr);

    Banner* Image2;
    PicturePane* Image1;
    QLabel* StaticText2;

    // Empties picture and text.
    void clear();
    // Shows a Notification: the text at once, the picture once it is read; a picture
    // that is missing or cannot be read leaves the picture empty without a word.
    void present(const TNotificationRecord& rec);

private:
    PictureJob* picturejob_;
};

// The text line's font after previewing `rec`: a style flag of 1 adds the style, 0
// removes it and any other value keeps it; the size is FontSize div 5.
QFont previewfont(QFont font, const TNotificationRecord& rec);
