#pragma once

class TForm1;
class TForm2;
class TForm6;

// Connects the main window, the editor and the audio holder by their signals: New and
// Edit open the editor, a stored change refreshes the preview, the main window waits
// while the editor is up, and the engine's request to close the audio reaches the player.
void linkeditor(TForm1& main, TForm2& editor, TForm6& audio);
