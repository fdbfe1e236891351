#pragma once
// The common controls: rich edit, list view, status bar, up-down buttons, page control, tool bar and
// tree view. ComCtrlsUnit's start-up initialises the system's common controls once and registers the
// classes for stored forms.
#include "classlib/ListView.h"
#include "classlib/PageControl.h"
#include "classlib/RichEdit.h"
#include "classlib/StatusBar.h"
#include "classlib/ToolBar.h"
#include "classlib/TreeView.h"
#include "classlib/UpDown.h"
#include "classlib/Units.h"

// Loads the rich edit library (once, for the life of the process). Raises when it is missing.
void LoadRichEditLibrary();

extern TUnit ComCtrlsUnit;
