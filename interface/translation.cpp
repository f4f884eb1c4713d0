// Looking texts up in the catalog.
#include "interface/translation.h"

#include <libintl.h>

const char* tr(const char* english) { return dgettext(textDomain, english); }
