#pragma once
// While a handler waits for a server, the windows go on painting and their timers
// run, so the system never takes the program for hung; clicks and keys wait until
// the handler lets events run, so none of them starts anything in the middle.
namespace trev {

void keepPaintingDuringSocketWaits();

}  // namespace trev
