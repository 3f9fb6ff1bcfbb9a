#pragma once

#include "schedule/notificationform.h"
#include "store/recordindex.h"

#include <QWidget>

struct AppPaths;
class Dialogs;
class ErrorReporter;
class ListController;
class TForm6;
struct TimeField;
class NotificationSink;
class PictureJob;
class PicturePane;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

// The Notification editor: one Notification at a time, created by makenew or opened
// by editnotification. Opening always stores first (a new record, or the edited one
// switched off); Apply stores the controls and arms the Notification by its timer. The
// list controller carries out each of these; the editor only shows and reads the fields.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    TForm2(ListController& list, Dialogs& dialogs, const AppPaths& paths, TForm6& audio,
           ErrorReporter& reporter, QWidget* parent = nullptr);

    // Where Preview presents: the dispatcher, which exists only after the overlay windows
    // that follow this one in creation order.
    void setsink(NotificationSink& sink) { sink_ = &sink; }

    // Fills the font list with the installed font families; the first form shown calls it.
    void fillfonts();

    // The controls as plain values, and back. Setting runs the time edits' checks.
    NotificationForm form() const;
    void setform(const NotificationForm& form);

    // Top bar.
    QPushButton* BitBtn1 = nullptr;    // Apply
    QPushButton* BitBtn2 = nullptr;    // Cancel
    QPushButton* BitBtn5 = nullptr;    // Preview
    QCheckBox* CheckBox9 = nullptr;    // fade
    QCheckBox* CheckBox7 = nullptr;    // repeat
    QLineEdit* LabeledEdit1 = nullptr; // record number being edited, hidden; shows editindex()
    QLineEdit* LabeledEdit2 = nullptr; // list row being edited, hidden; shows editrow()

    int32_t editindex() const { return editindex_; }
    int editrow() const { return editrow_; }

    // "Notification Activation".
    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* Edit4 = nullptr;     // hours
    QLineEdit* Edit5 = nullptr;     // minutes
    QLineEdit* Edit6 = nullptr;     // seconds
    QLineEdit* Edit9 = nullptr;     // display duration
    QComboBox* ComboBox5 = nullptr; // timer type

    // "Message Settings".
    QGroupBox* GroupBox2 = nullptr;
    QCheckBox* CheckBox2 = nullptr; // display text
    QComboBox* ComboBox2 = nullptr; // font name
    QComboBox* ComboBox1 = nullptr; // font size
    QComboBox* ColorBox1 = nullptr; // font colour
    QCheckBox* CheckBox5 = nullptr; // italic
    QCheckBox* CheckBox4 = nullptr; // bold
    QCheckBox* CheckBox6 = nullptr; // underlined
    QLineEdit* Edit1 = nullptr;     // message
    QComboBox* ComboBox4 = nullptr; // text display type

    // "Image Settings".
    QGroupBox* GroupBox3 = nullptr;
    QCheckBox* CheckBox1 = nullptr; // display image
    QLineEdit* Edit2 = nullptr;     // image file
    QPushButton* BitBtn3 = nullptr; // image picker
    QPushButton* BitBtn8 = nullptr; // clear image
    PicturePane* Image1 = nullptr;  // thumbnail
    QComboBox* ComboBox3 = nullptr; // image display type
    QComboBox* ComboBox6 = nullptr; // wallpaper style

    // "Audio Settings".
    QGroupBox* GroupBox4 = nullptr;
    QCheckBox* CheckBox3 = nullptr; // play audio
    QLineEdit* Edit3 = nullptr;     // audio file
    QPushButton* BitBtn4 = nullptr; // audio picker
    QPushButton* BitBtn9 = nullptr; // clear audio
    QPushButton* BitBtn6 = nullptr; // play
    QPushButton* BitBtn7 = nullptr; // stop

public slots:
    void makenew();
    void editnotification(RecordIndex index, int row);

    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn5Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn6Click();
    void BitBtn7Click();
    void BitBtn8Click();
    void BitBtn9Click();
    void Edit4Change();
    void Edit5Change();
    void Edit6Change();
    void Edit9Change();
    void Edit4Exit();
    void Edit5Enter();
    void Edit6Exit();
    void Edit9Exit();

signals:
    // The editor opened (true) or closed (false): the main window waits meanwhile.
    void editingChanged(bool editing);

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QWidget* buildtopbar();
    QGroupBox* buildactivation();
    QGroupBox* buildmessage();
    QGroupBox* buildimage();
    QGroupBox* buildaudio();
    void FormCreate();

    void checktimeedit(QLineEdit* edit, const TimeField& field);
    void settimeedit(QLineEdit* edit, const TimeField& field, const QString& text);
    void refill(QLineEdit* edit, const TimeField& field);
    void clearthumbnail();
    void refusepicture();
    void playaudio(const QString& path);
    void stopaudio();
    void closeaudio();
    void setmainenabled(bool enabled);

    void setediting(int32_t index, int row);

    ListController& list_;
    Dialogs& dialogs_;
    const AppPaths& paths_;
    TForm6& audio_;
    ErrorReporter& reporter_;
    bool fontsfilled_ = false;
    int32_t editindex_ = 0;
    int editrow_ = -1;
    NotificationSink* sink_ = nullptr;
    PictureJob* thumbnailjob_;
};
