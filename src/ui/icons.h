#pragma once
// The web update screen's 16 × 16 icons: 0 a blue curved arrow (in progress),
// 1 a green circle with a white triangle (done), 2 a red cross (failed).
#include <QIcon>
#include <QList>

namespace trev {

QList<QIcon> UpdateIcons();

}  // namespace trev
