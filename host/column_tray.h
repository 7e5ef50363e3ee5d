// ColumnToolTray: a ToolTray subclass, built at run time, whose palette stacks its tools in
// columns: each new tool goes below the lowest tool of the right-most column, and a new column
// starts to the right when the tool would come closer than the bottom margin to the palette's
// bottom edge. It overrides GetNextToolBounds only; CreateTool and ArrangeTools reach the
// override through method resolution.
#ifndef HOST_COLUMN_TRAY_H
#define HOST_COLUMN_TRAY_H

#include "runtime/som.h"

// Builds the class on first use (and ToolTray before it); null when the runtime refuses it.
SOMClass* ColumnToolTrayNewClass();

#endif // HOST_COLUMN_TRAY_H
