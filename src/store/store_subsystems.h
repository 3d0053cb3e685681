// The note store as the add-in's core reaches it (Subsystems::Store).
#ifndef PINLET_STORE_STORE_SUBSYSTEMS_H_
#define PINLET_STORE_STORE_SUBSYSTEMS_H_

#include "addin/context.h"

namespace pinlet {

// Installs NotesFolder and the note window registry as the store subsystem.
void InstallStore(Subsystems& subsystems);

}  // namespace pinlet

#endif  // PINLET_STORE_STORE_SUBSYSTEMS_H_
