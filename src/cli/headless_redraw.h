#pragma once

class ViewSession;

// What a redraw of the view computes besides its pixels, for a view that has
// no window: the boxes of numbers, coordinates and texts (laid out as drawn),
// and the 3-D mouse position with the ghost point's request. A window paints
// when it is shown and after each event that asks for a redraw.
void headlessPaint(ViewSession& session);
