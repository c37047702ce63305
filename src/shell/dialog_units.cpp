#include "shell/dialog_units.h"

#include <QFontMetrics>
#include <QString>

namespace Vantrel {

namespace {

// Rounds a·b/c to the nearest integer, halves away from zero, for non-negative c.
int scale(int a, int b, int c) {
  const long long product = static_cast<long long>(a) * b;
  const long long half = c / 2;
  return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

dialog_base_units base_units(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  // The average over 52 letters, rounded.
  return {(letters / 26 + 1) / 2, metrics.height()};
}

QRect to_pixels(const dialog_base_units& base, const QRect& units) {
  const int left = scale(units.x(), base.x, 4);
  const int top = scale(units.y(), base.y, 8);
  const int right = scale(units.x() + units.width(), base.x, 4);
  const int bottom = scale(units.y() + units.height(), base.y, 8);
  return {left, top, right - left, bottom - top};
}

QSize to_pixels(const dialog_base_units& base, const QSize& units) {
  return {scale(units.width(), base.x, 4), scale(units.height(), base.y, 8)};
}

QSize page_size(const dialog_base_units& base) {
  return to_pixels(base, QSize(page_width_units, page_height_units));
}

}  // namespace Vantrel
