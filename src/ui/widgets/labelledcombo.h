#pragma once

// Drop-down lists named by their label for screen readers. Qt names a drop-down list by
// its current item on Linux, so a reader says "Lateral" where the list is the countdown
// activation mode; with this, a list with an accessible name is called by it, its
// current item is its value and its text, and one without keeps Qt's naming.
// Idempotent; best before the lists are made.
void installlabelledcombos();

class QComboBox;
// Makes `combo` one of those lists also where Qt gave it its own interface before.
void labelcombo(QComboBox* combo);
