#pragma once

#include <QWidget>

class Shell;
class QCheckBox;
class QLabel;
class QPushButton;
class QTextEdit;

// The help window: the user guide from the help file beside the executable, read anew at
// every showing. It holds no other window still.
class TForm9 : public QWidget {
    Q_OBJECT
public:
    TForm9(Shell& shell, QString helpfile, QWidget* parent = nullptr);

    QLabel* StaticText5 = nullptr;  // "Font Size:"
    QPushButton* BitBtn1 = nullptr; // "+"
    QPushButton* BitBtn5 = nullptr; // "-"
    QCheckBox* CheckBox1 = nullptr; // "Word Wrap"
    QPushButton* BitBtn2 = nullptr; // "Contact Support"
    QTextEdit* RichEdit1 = nullptr;

    int fontsize() const { return size_; }

    void FormShow();
    void BitBtn1Click();
    void BitBtn5Click();
    void CheckBox1Click();
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void applyfontsize();

    Shell& shell_;
    QString helpfile_;
    int size_ = 9;
};

inline constexpr const char* kHelpMissing = "Help file is missing or corrupt, reinstall Chimelet.";
// A help file larger than this is taken for a damaged one.
inline constexpr qint64 kMaxHelpBytes = qint64{8} * 1024 * 1024;
