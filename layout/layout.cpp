// Compiles the generated layout headers once, so that a broken .ui file fails
// the build here rather than in every unit that includes it.
#include "ui_exit_window.h"
#include "ui_main_window.h"
#include "ui_update_history_window.h"
#include "ui_update_window.h"
