#pragma once

#include <QWidget>

class QTextEdit;

// A log pane that collects the lines handed to it; nothing shows it by itself.
class TForm7 : public QWidget {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);

    QTextEdit* RichEdit1 = nullptr;

    void showme(const QString& text);
};
