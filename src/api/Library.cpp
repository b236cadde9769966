// The shared library libtipolaria: every component, linked whole. This file
// only gives the library target a source of its own.
#include "tipolaria/cprint.hpp"
