#pragma once

#include <QProxyStyle>

// The desktop's style with the room a desktop gives a push button's text: about two
// thirds of a line's height on either side, so no caption touches its button's edges, at
// any font size and scale factor.
class ButtonPaddingStyle : public QProxyStyle {
    Q_OBJECT
public:
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
};

// Gives the program's windows that style; made once, kept by the application.
void padbuttons();
