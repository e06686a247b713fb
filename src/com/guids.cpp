// The one definition of the library's class, interface and library identifiers.
#include <windows.h>
#include <initguid.h>

#include "velloran_h.h"
