#pragma once

#include <QImage>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

// Prepares a picture away from the GUI thread: a damaged file may take seconds to be
// refused, and the windows answer meanwhile. The jobs of the whole program run one
// after the other on one worker, as they share the scratch bitmap. The result comes
// back on the thread that owns the job; starting again or cancelling drops the result
// of the job before, and the job itself when it has not begun.
class PictureJob : public QObject {
    Q_OBJECT
public:
    // Reads, converts and returns the picture; raises when the file is refused.
    using Prepare = std::function<QImage()>;
    using Ready = std::function<void(const QImage&)>;
    // The refusal's text, as an error box shows it.
    using Refused = std::function<void(const QString&)>;

    explicit PictureJob(QObject* parent = nullptr);

    void start(Prepare prepare, Ready ready, Refused refused = {});
    void cancel();

    struct Outcome {
        QImage picture;
        QString refusal;
        bool ok = false;
    };

private:
    // Set when the running job's answer is no longer wanted.
    std::shared_ptr<std::atomic<bool>> dropped_;
};

// The one worker every job runs on.
class QThreadPool;
QThreadPool& pictureworker();
