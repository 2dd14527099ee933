// Identifiers of the program's resources, menu commands and dialog controls. Every back end and
// the shell take them from here.
#pragma once

// Resources.
constexpr int IDR_MAINMENU = 101;       // menu bar of the main window
constexpr int IDD_FRAMERATE = 103;      // "Set Animation Frame Rate"
constexpr int IDD_ABOUT = 104;          // "About Tessaly"
constexpr int IDD_KEYHELP = 105;        // "Help - Key Definitions"
constexpr int IDD_DEVICE = 107;         // Direct3D device chooser
constexpr int IDD_LOADING = 108;        // modeless "Tessaly - Loading" window
constexpr int IDD_EXPORTING = 109;      // modeless "Tessaly - Export Animation" window
constexpr int IDI_MAINICON = 111;       // the main window's icon

// Menu commands.
constexpr int IDM_OPEN = 40001;
constexpr int IDM_EXIT = 40002;
constexpr int IDM_TEXTURES = 40003;
constexpr int IDM_LOOP = 40004;
constexpr int IDM_FRAMERATE = 40005;
constexpr int IDM_AUTOROTATE = 40006;
constexpr int IDM_ABOUT = 40007;
constexpr int IDM_ANIM_ALL = 40008;     // placeholder item of the Animations pop-up
constexpr int IDM_KEYHELP = 40009;
constexpr int IDM_POLY_ALL = 40010;
constexpr int IDM_POLY_TRANSLUCENT = 40011;
constexpr int IDM_POLY_MASKED = 40012;
constexpr int IDM_POLY_TWOSIDED = 40013;
constexpr int IDM_POLY_PLACEHOLDER = 40014;
constexpr int IDM_BACKGROUND = 40015;
constexpr int IDM_DIRECT3D = 40016;
constexpr int IDM_EXPORT_ANIMATION = 40017;
constexpr int IDM_EXPORT_GLTF = 40018;       // File > Export glTF...
constexpr int IDM_SEQUENCE_BASE = 3000; // Animations items: 3000 + sequence index
constexpr int IDM_NEXT_SCRIPT = 40030;      // File > Next Script in Folder
constexpr int IDM_PREVIOUS_SCRIPT = 40031;  // File > Previous Script in Folder
constexpr int IDM_SAVE_PICTURE = 40032;     // File > Save Picture...
constexpr int IDM_COPY_PICTURE = 40033;     // File > Copy Picture
constexpr int IDM_RECENT_BASE = 40040;      // File > Recent Scripts: 40040 + place in the list
constexpr int MAX_RECENT_SCRIPTS = 8;

// Position of the Animations pop-up in the menu bar (counting from 0).
constexpr int ANIMATIONS_MENU_POSITION = 2;
// Positions of the File pop-up, and of the Recent Scripts item within it.
constexpr int FILE_MENU_POSITION = 0;
constexpr int RECENT_MENU_POSITION = 1;

// Dialog controls.
constexpr int IDC_FRAMERATE_EDIT = 1004;    // read-only box showing the rate
constexpr int IDC_FRAMERATE_SCROLL = 1005;  // scroll bar 1..60
constexpr int IDC_DEVICE_LIST = 1006;       // device chooser's list
constexpr int IDC_LOADING_PROGRESS = 1007;  // loading window's bar of frames prepared
constexpr int IDC_EXPORT_PROGRESS = 1008;   // export window's bar of pictures written
