// The store's entry points for the add-in's subsystem hooks.
#ifndef PINLET_STORE_STORE_SUBSYSTEMS_H_
#define PINLET_STORE_STORE_SUBSYSTEMS_H_

#include "addin/context.h"

namespace pinlet {

// Installs NotesFolder and the note window registry into the hooks.
void InstallStore(Subsystems& subsystems);

}  // namespace pinlet

#endif  // PINLET_STORE_STORE_SUBSYSTEMS_H_
