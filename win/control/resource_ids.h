// Resource identifiers of the control library (shared by the .rc and the code).
#pragma once

// 1 TYPELIB is the type library; 1 VERSIONINFO the version resource.
#define IDB_TOOLBOX 1 // the 16 x 15 toolbox picture (ToolboxBitmap32)
