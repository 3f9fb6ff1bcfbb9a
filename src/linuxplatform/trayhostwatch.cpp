#include "linuxplatform/trayhostwatch.h"

#include <QSocketNotifier>

#include <cstdlib>
#include <memory>

namespace {
struct FreeReply {
    void operator()(void* p) const { std::free(p); }
};
template <class T> using Reply = std::unique_ptr<T, FreeReply>;

xcb_atom_t internatom(xcb_connection_t* c, const QByteArray& name) {
    const Reply<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, uint16_t(name.size()), name.constData()), nullptr));
    return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}
} // namespace

TrayHostWatch::TrayHostWatch(const QByteArray& display, QObject* parent) : QObject(parent) {
    int screennumber = 0;
    connection_ = xcb_connect(display.isEmpty() ? nullptr : display.constData(), &screennumber);
    if (xcb_connection_has_error(connection_)) return;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screennumber && it.rem; ++i)
        xcb_screen_next(&it);
    if (!it.rem) return;
    root_ = it.data->root;
    selection_ = internatom(connection_, "_NET_SYSTEM_TRAY_S" + QByteArray::number(screennumber));
    manager_ = internatom(connection_, "MANAGER");
    if (selection_ == XCB_ATOM_NONE || manager_ == XCB_ATOM_NONE) return;
    // A new host announces itself with a MANAGER message to the root window's structure
    // listeners.
    const uint32_t rootmask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &rootmask);
    followowner();
    notifier_ =
        new QSocketNotifier(xcb_get_file_descriptor(connection_), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TrayHostWatch::readevents);
}

TrayHostWatch::~TrayHostWatch() {
    delete notifier_;
    if (connection_) xcb_disconnect(connection_);
}

// Listens for the end of the selection's present owner. The owner is asked again after
// the listening starts, so a host that left in between is not missed.
void TrayHostWatch::followowner() {
    const uint32_t ownermask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    for (int tries = 0; tries < 4; ++tries) {
        const Reply<xcb_get_selection_owner_reply_t> before(xcb_get_selection_owner_reply(
            connection_, xcb_get_selection_owner(connection_, selection_), nullptr));
        owner_ = before ? before->owner : xcb_window_t(XCB_WINDOW_NONE);
        if (owner_ == XCB_WINDOW_NONE) break;
        // A window gone meanwhile answers with an error, which the re-check below covers.
        const xcb_void_cookie_t listen = xcb_change_window_attributes_checked(
            connection_, owner_, XCB_CW_EVENT_MASK, &ownermask);
        std::free(xcb_request_check(connection_, listen));
        const Reply<xcb_get_selection_owner_reply_t> after(xcb_get_selection_owner_reply(
            connection_, xcb_get_selection_owner(connection_, selection_), nullptr));
        if (after && after->owner == owner_) break;
    }
    xcb_flush(connection_);
}

void TrayHostWatch::readevents() {
    // Replies read while following a new owner can queue events that the socket will not
    // announce again, so the queue is drained until a pass brings no change.
    for (bool change = true; change;) {
        change = false;
        while (xcb_generic_event_t* raw = xcb_poll_for_event(connection_)) {
            const Reply<xcb_generic_event_t> event(raw);
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_CLIENT_MESSAGE) {
                const auto* m = reinterpret_cast<const xcb_client_message_event_t*>(raw);
                change |= m->type == manager_ && m->format == 32 && m->data.data32[1] == selection_;
            } else if (type == XCB_DESTROY_NOTIFY) {
                const auto* d = reinterpret_cast<const xcb_destroy_notify_event_t*>(raw);
                change |= owner_ != XCB_WINDOW_NONE && d->window == owner_;
            }
        }
        if (xcb_connection_has_error(connection_)) {
            // The X server went away: nothing more will come.
            notifier_->setEnabled(false);
            return;
        }
        if (!change) return;
        followowner();
        emit changed();
    }
}
