#pragma once

class TForm3;
class TForm4;
class TForm5;

// Puts the overlays that are up in their order on the desktop: the full-screen image at
// the bottom, the small image over it, the text strip on top, so that a new picture
// never hides a message still showing.
void stackoverlays(TForm5& text, TForm4& small, TForm3& fullscreen);
