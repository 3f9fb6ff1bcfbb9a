#pragma once

#include <libwmf/ipa.h>

// Puts bounds between libwmf's player and its gd drawing calls, so a damaged file
// cannot make one call cost more than about the picture's own area, nor the whole
// drawing more than a short processor-time budget: filled shapes and texts are cut
// to `frame` (the picture's extent in the drawing's units), pens held to what a
// stroke may cost, and nothing is drawn once the budget is spent.
void bounddrawing(wmfFunctionReference* functions, const wmfD_Rect& frame, double pixelsperunit);

// Whether the budget ran out since bounddrawing.
bool drawingspent();
