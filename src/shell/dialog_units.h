#pragma once
// Dialog units: page layouts are given in units of the page font, a quarter of the font's
// average character width across and an eighth of its height down, so that a page grows with
// the font it is shown in.

#include <QFont>
#include <QRect>
#include <QSize>

namespace Vantrel {

// Every page is laid out on this many dialog units.
inline constexpr int page_width_units = 320;
inline constexpr int page_height_units = 236;

struct dialog_base_units {
  int x;  // average character width in pixels, over "A" to "Z" and "a" to "z"
  int y;  // font height in pixels
};

dialog_base_units base_units(const QFont& font);

// A rectangle in dialog units to pixels: x·width/4 across, y·height/8 down, rounded.
QRect to_pixels(const dialog_base_units& base, const QRect& units);
QSize to_pixels(const dialog_base_units& base, const QSize& units);

// The pixel size of a whole page.
QSize page_size(const dialog_base_units& base);

}  // namespace Vantrel
