#pragma once

// Makes large blocks (a picture and its frame are megabytes each) go back to the system
// as they are freed. By default the C library raises its threshold when such a block is
// freed and keeps later ones in the heap, so the resident size climbs to the largest
// burst of pictures ever shown and stays there. Called once, before the windows are made.
void returnlargeblocks();
