#pragma once
// The one scaffold every drawn icon shares: a transparent square, antialiased.
#include <QPixmap>

#include <functional>

class QPainter;

namespace trev {

QPixmap paintPixmap(int size, const std::function<void(QPainter&)>& draw);

}  // namespace trev
