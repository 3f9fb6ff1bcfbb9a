#include "schedule/listcontroller.h"

#include "schedule/engine.h"
#include "schedule/errorreporter.h"
#include "schedule/listfiles.h"
#include "schedule/secondticker.h"
#include "schedule/workspace.h"

#include <exception>

ListController::ListController(const Clock& clock, NotificationSink& sink, ErrorReporter& reporter,
                               QObject* parent)
    : QObject(parent), ws_(std::make_unique<Workspace>(clock)),
      engine_(std::make_unique<Engine>(*ws_, sink)), files_(std::make_unique<ListFiles>(*ws_)),
      ticker_(new SecondTicker(clock, this)) {
    connect(engine_.get(), &Engine::clockChanged, this, &ListController::clockChanged);
    connect(engine_.get(), &Engine::editRequested, this, &ListController::editRequested);
    connect(engine_.get(), &Engine::messageRaised, this, &ListController::messageRaised);
    connect(engine_.get(), &Engine::fired, this, &ListController::fired);
    connect(files_.get(), &ListFiles::fileNameChanged, this, &ListController::fileNameChanged);
    connect(files_.get(), &ListFiles::playmodeChanged, this, &ListController::playmodeChanged);
    connect(files_.get(), &ListFiles::previewChanged, this, &ListController::previewChanged);
    connect(files_.get(), &ListFiles::audioCloseRequested, this,
            &ListController::audioCloseRequested);
    connect(files_.get(), &ListFiles::messageRaised, this, &ListController::messageRaised);
    connect(ws_.get(), &Workspace::modifiedChanged, this, &ListController::modifiedChanged);
    // The tick goes on after an error: the next second tries again.
    connectguarded(reporter, ticker_, &SecondTicker::tick, this, &ListController::tick);
    ticker_->start();
}

ListController::~ListController() = default;

const RowTable& ListController::rows() const {
    return ws_->rows();
}
const Clock& ListController::clock() const {
    return ws_->clock();
}
bool ListController::modified() const {
    return ws_->modified();
}

QString ListController::currentfile() const {
    return ws_->currentfile();
}
TNotificationRecord ListController::readnotification(RecordIndex index) const {
    return ws_->db().readnotification(index);
}
int32_t ListController::lastpreview() const {
    return ws_->lastpreview();
}
void ListController::setlastpreview(int32_t index) {
    ws_->setlastpreview(index);
}

void ListController::newdatabase(const QString& databasefile) {
    ws_->setplaymode(PlayMode::Lateral);
    ws_->setseqrow(-1);
    ws_->db().setpath(databasefile);
    ws_->db().createdatabase();
    ws_->setrecordcount(0);
    emit playmodeChanged(PlayMode::Lateral);
}

bool ListController::reopendatabase(const QString& databasefile, const QString& listfile,
                                    bool modified) {
    ws_->db().setpath(databasefile);
    try {
        if (files_->reopenworking(listfile, modified)) return true;
    } catch (const std::exception&) {
        // Unreadable as a list: the start goes on as after a clean end.
    }
    ws_->db().close();
    return false;
}

void ListController::openstartupfile(const QString& path) {
    ws_->setcurrentfile(path);
    files_->startupfile();
}

void ListController::close() {
    ticker_->stop();
    editindex_ = RecordIndex();
    ws_->db().close();
}

void ListController::tick() {
    engine_->tick();
}
void ListController::catchup() {
    ticker_->catchup();
}

void ListController::edit(int row) {
    engine_->edit(row);
}
void ListController::remove(int row) {
    engine_->remove(row);
}
void ListController::stop(int row) {
    engine_->stop(row);
}
void ListController::resume(int row) {
    engine_->resume(row);
}
void ListController::stopall() {
    engine_->stopall();
}
void ListController::startall() {
    engine_->startall();
}
void ListController::setplaymode(PlayMode mode) {
    engine_->setplaymode(mode);
}

RecordIndex ListController::append(const TNotificationRecord& rec) {
    ws_->markmodified();
    const RecordIndex index = ws_->appendrecord(rec);
    ws_->addtolist(rec, index);
    return index;
}

RecordIndex ListController::add(const TNotificationRecord& rec) {
    const RecordIndex index = append(rec);
    emit previewChanged(index.value);
    return index;
}

RecordIndex ListController::newnotification(const TNotificationRecord& rec) {
    const int row = ws_->rowcount();
    const RecordIndex index = append(rec);
    editindex_ = index;
    editrow_ = row;
    return index;
}

TNotificationRecord ListController::beginedit(RecordIndex index, int row) {
    ws_->markmodified();
    TNotificationRecord rec = ws_->db().readnotification(index);
    ws_->db().setactive(index, 0);
    editindex_ = index;
    editrow_ = row;
    return rec;
}

void ListController::apply(const TNotificationRecord& rec) {
    if (!editing()) return;
    // The record first, so a failed write leaves the row as it was.
    ws_->db().writenotification(rec, editindex_);
    const RecordIndex index = editindex_;
    const int row = editrow_;
    editindex_ = RecordIndex();
    editrow_ = -1;
    if (ws_->updatelist(row, rec)) emit previewChanged(index.value);
}

void ListController::cancel() {
    editindex_ = RecordIndex();
    editrow_ = -1;
}

void ListController::newlist() {
    files_->newlist();
}
bool ListController::open(const QString& path) {
    return files_->open(path);
}
bool ListController::needsname() const {
    return files_->needsname();
}
bool ListController::save() {
    return files_->savelist();
}
bool ListController::saveas(const QString& path) {
    return files_->saveas(path);
}
