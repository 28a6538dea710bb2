#pragma once
#include "stores/position_store.h"

namespace orvalen {

// A length in twips rounded to a whole number (halves to even); 0 when it is
// not finite or too large to store.
int wholeTwips(double v);

// A stored place made for the screen `from`, carried to the screen `to`
// (both in twips) in proportion: the top keeps its share of the height and
// the left its share of the width, except that an element that stood
// centred stays centred. `widthThen` and `widthNow` are the element's width
// in twips on the two screens. A coordinate of 0 or below, which never was
// a valid place, stays as it is: the element keeps its default there.
SavedPosition placeInProportion(SavedPosition saved, PlacesScreen from, PlacesScreen to, double widthThen,
                                double widthNow);

} // namespace orvalen
