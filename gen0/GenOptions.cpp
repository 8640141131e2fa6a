#include "gen0/GenOptions.h"

TLibraryOptions LibraryOptions;
