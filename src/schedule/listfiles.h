#pragma once

#include <QObject>
#include <QString>

#include <cstdint>

class Workspace;
enum class PlayMode : uint8_t;

// Notification files (.clt): byte-for-byte copies of the working database.
// The window runs the file dialogs and hands the chosen path in.

// Copies a whole file. The destination is replaced in one step, so a copy that
// fails leaves whatever was there before untouched. False when the source is missing.
bool copyfile(const QString& source, const QString& destination);
// Appends ".clt" unless the name already ends in it, in any case.
QString addextension(const QString& name);
// The part after the last '/' or '\'; empty when there is none.
QString filenameonly(const QString& path);

inline constexpr const char* kListFileFilter = "Chimelet File (*.clt)";
inline constexpr const char* kListExtension = ".clt";

class ListFiles : public QObject {
    Q_OBJECT
public:
    explicit ListFiles(Workspace& ws, QObject* parent = nullptr);

    // Save File on a list without a name needs the Save dialog first.
    bool needsname() const;
    // Save File: writes the list to its current file.
    bool savelist();
    // Save File As (and Save File on an unnamed list) with the name the user chose.
    bool saveas(const QString& chosen);
    // Open File with the path the user chose. A file that is not a whole list is
    // refused with "Load failed" before anything of the open list changes.
    bool open(const QString& path);
    // Open File's second half, on a list already read: checked whole, then made the
    // open list, known by `path`.
    bool openbytes(const QByteArray& bytes, const QString& path);
    // After a run that ended without the shutdown: the working database at its path, as
    // that run left it, made the open list again, tied to `listfile` and with the
    // unsaved-changes mark as it was. False, with nothing changed, when it is no whole list.
    bool reopenworking(const QString& listfile, bool modified);
    // Reloads the list from its current file.
    bool loadlist();
    // New File / Close File: an empty, unnamed list in Sequential mode.
    void newlist();
    // The last step of start-up: opens the default file that start-up made the
    // current file, or empties the preview when there is none. When the file
    // cannot be opened the list stays empty and unnamed.
    void startupfile();

signals:
    // The name of the open file, empty for an unnamed list.
    void fileNameChanged(const QString& name);
    // The mode the list now runs in.
    void playmodeChanged(PlayMode mode);
    // The record to show in the preview; -1 empties it.
    void previewChanged(int32_t index);
    // A new list closes the audio player first.
    void audioCloseRequested();
    // "Save failed", "Load failed".
    void messageRaised(const QString& text);

private:
    // The open working database shown as the list known by `path`.
    void showworking(const QString& path);

    Workspace& ws_;
};
