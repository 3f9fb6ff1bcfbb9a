#pragma once

class TForm3;
class TForm4;
class TForm5;
class TrayIcon;

// A click on any overlay ends all of them: the balloon is withdrawn, then the text
// strip, the small and the full-screen image end, each as it was started.
void dismissoverlays(TrayIcon& tray, TForm5& text, TForm4& small, TForm3& fullscreen);

// Connects the three overlays' clicks to dismissoverlays.
void linkoverlays(TrayIcon& tray, TForm5& text, TForm4& small, TForm3& fullscreen);
