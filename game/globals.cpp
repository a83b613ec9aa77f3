// The game's engine-wide pointers, set by the main form (or by a test fixture).
#include "main_form.h"
#include "work.h"

ZTWork* gWork = nullptr;
TForm1* gForm = nullptr;
