#include "linuxplatform/trayhostwatch.h"
#include "support/privatexserver.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {
// Plays a tray host on its own X connection: takes the tray selection, announces itself
// the way hosts do, and ends with its window.
class PlayedTrayHost {
public:
    explicit PlayedTrayHost(const QByteArray& display) : c_(xcb_connect(display, nullptr)) {
        root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
        selection_ = atom("_NET_SYSTEM_TRAY_S0");
        manager_ = atom("MANAGER");
    }
    ~PlayedTrayHost() { xcb_disconnect(c_); }

    xcb_window_t makewindow() {
        const xcb_window_t w = xcb_generate_id(c_);
        xcb_create_window(c_, XCB_COPY_FROM_PARENT, w, root_, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_flush(c_);
        return w;
    }
    void takeselection(xcb_window_t w) {
        xcb_set_selection_owner(c_, w, selection_, XCB_CURRENT_TIME);
        xcb_client_message_event_t m{};
        m.response_type = XCB_CLIENT_MESSAGE;
        m.format = 32;
        m.window = root_;
        m.type = manager_;
        m.data.data32[0] = XCB_CURRENT_TIME;
        m.data.data32[1] = selection_;
        m.data.data32[2] = w;
        xcb_send_event(c_, 0, root_, XCB_EVENT_MASK_STRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&m));
        xcb_flush(c_);
    }
    void destroy(xcb_window_t w) {
        xcb_destroy_window(c_, w);
        xcb_flush(c_);
    }

private:
    xcb_atom_t atom(const char* name) {
        auto* r = xcb_intern_atom_reply(
            c_, xcb_intern_atom(c_, 0, uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t a = r->atom;
        std::free(r);
        return a;
    }

    xcb_connection_t* c_;
    xcb_window_t root_;
    xcb_atom_t selection_;
    xcb_atom_t manager_;
};
} // namespace

TEST(TrayHostWatch, ReportsAHostComingAndGoingAndNothingElse) {
    EXPECT_FALSE(TrayHostWatch(":no-such-display").watching());
    PrivateXServer server;
    if (server.display().isEmpty()) GTEST_SKIP() << "no Xvfb";
    const QByteArray display = server.display().toLatin1();
    PlayedTrayHost host(display);
    const xcb_window_t bystander = host.makewindow();
    const xcb_window_t tray = host.makewindow();

    TrayHostWatch watch(display);
    ASSERT_TRUE(watch.watching());
    QSignalSpy changes(&watch, &TrayHostWatch::changed);

    host.destroy(bystander);
    EXPECT_FALSE(changes.wait(300));

    host.takeselection(tray);
    ASSERT_TRUE(changes.wait(5000));
    EXPECT_EQ(changes.count(), 1);

    host.destroy(tray);
    ASSERT_TRUE(changes.wait(5000));
    EXPECT_EQ(changes.count(), 2);
}
