// Destruction of registered objects through their implementation type (internal).
#ifndef QUARN_FACTORY_DESTROY_H
#define QUARN_FACTORY_DESTROY_H

#include "../model/Model.h"

// Destroys `item` through the implementation class its object type names. An object whose
// type is none of the library's is left alone: destroying it through a guessed type would
// be worse than keeping it.
void QuarnDestroyInfo(CS_Info* item);

#endif
