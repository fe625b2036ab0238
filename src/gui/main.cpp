#include "app/VdxApp.h"

wxIMPLEMENT_APP(VdxApp);
