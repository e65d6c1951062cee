// Resource numbers of Viewer.scr, shared by its resource script and its code.
#pragma once

#define ORB_ICON_VIEWER 100          // the screen-saver library's application icon
#define ORB_BITMAP_PREVIEW 102       // 152 x 112, 16 colours: preview window and options dialog
#define ORB_DIALOG_OPTIONS 2003      // the library looks the options dialog up by this number
#define ORB_OPTIONS_PICTURE 1006
#define ORB_OPTIONS_CAPTION 1007
#define ORB_OPTIONS_SOUND 1010
#define ORB_OPTIONS_MONITORS 1011     // the group of the three arrangements below
#define ORB_OPTIONS_SPAN 1012
#define ORB_OPTIONS_MIRROR 1013
#define ORB_OPTIONS_PRIMARY 1014
#define ORB_STRING_DESCRIPTION 1     // the name the display settings list shows
