#pragma once

#include <functional>

class TForm1;
class TForm2;
class TForm6;

// Connects the main window, the editor and the audio holder by their signals: New and
// Edit open the editor, which `editor` makes at its first call (the editor is built only
// when first needed); the engine's request to close the audio reaches the player.
void linkeditor(TForm1& main, const std::function<TForm2&()>& editor, TForm6& audio);

// Once per editor, when it is made: a stored change refreshes the preview, and the main
// window waits while the editor is up.
void connecteditor(TForm1& main, TForm2& editor);
