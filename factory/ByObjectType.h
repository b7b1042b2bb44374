// Operations that need an object's implementation class, found from its object type code
// (internal). Registered objects are always objects of the library's classes: the factory's
// create operations make them.
#ifndef QUARN_FACTORY_BYOBJECTTYPE_H
#define QUARN_FACTORY_BYOBJECTTYPE_H

#include "../model/Model.h"

// Destroys `item` through the implementation class its object type names. An object whose
// type is none of the library's is left alone: destroying it through a guessed type would
// be worse than keeping it.
void QuarnDestroyInfo(CS_Info* item);

// Stores an authority name and code in `item` (as its class's SetAuthority and
// SetAuthorityCode do); an object of no known type is left alone.
void QuarnSetAuthority(CS_Info* item, const wchar_t* authority, const wchar_t* code);

#endif
