#include "mainfixture.h"

#include "schedule/secondticker.h"

// A row whose record lies past the end of the working database fails every tick. The
// ticks that run behind the open box must not stack boxes, and the clock keeps going.
TEST_F(MainWindowFixture, AFailingTickShowsOneBoxAtATimeAndTheTickGoesOn) {
    form->connectcommands();
    add(note("Tea", 10));
    g.ws.addtolist(note("Lost", 10), RecordIndex(5));

    int behind = 0;
    fake.dialogs.whileopen = [&] {
        for (int i = 0; i < 3; ++i, ++behind)
            emit tickerof(g.list).tick();
    };
    emit tickerof(g.list).tick();
    EXPECT_EQ(behind, 3);
    ASSERT_EQ(fake.dialogs.messages.size(), 1);
    EXPECT_TRUE(fake.dialogs.messages[0].contains("record 5"));
    EXPECT_EQ(form->statuspanel(2)->text().isEmpty(), false);

    // Once the box is closed the next failure is shown again.
    fake.dialogs.whileopen = nullptr;
    emit tickerof(g.list).tick();
    EXPECT_EQ(fake.dialogs.messages.size(), 2);
    EXPECT_TRUE(tickerof(g.list).isActive());
}
