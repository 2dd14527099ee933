// Menu bar 101 of the main window. The Animations pop-up must stay at position 2: the loading
// flow finds it there; so must File > Recent Scripts at position 1 of the File pop-up, whose
// items the recent scripts fill. Loop Animation is checked here and unchecked when the window
// is created.
#include "app/resources/ResourceIds.h"
#include "app/resources/Resources.h"
#include "platform/window/Window.h"

tMenuTemplate MainMenuResource()
{
    return {IDR_MAINMENU,
            {
                {"File",
                 {{"Open script", IDM_OPEN, false},
                  {"Recent Scripts", ID_NONE, false},
                  {"Next Script in Folder", IDM_NEXT_SCRIPT, false, false,
                   {VK_NEXT, ACCEL_CONTROL}},
                  {"Previous Script in Folder", IDM_PREVIOUS_SCRIPT, false, false,
                   {VK_PRIOR, ACCEL_CONTROL}},
                  {"Save Picture...", IDM_SAVE_PICTURE, false, false, {'S', ACCEL_CONTROL}},
                  {"Copy Picture", IDM_COPY_PICTURE, false, false, {'C', ACCEL_CONTROL}},
                  {"Export Animation...", IDM_EXPORT_ANIMATION, false},
                  {"Export glTF...", IDM_EXPORT_GLTF, false},
                  {"Exit", IDM_EXIT, false}},
                 false},
                {"Options",
                 {{"Textures On", IDM_TEXTURES, true, true},
                  {"Loop Animation", IDM_LOOP, true, true},
                  {"Auto Rotate", IDM_AUTOROTATE, false, true},
                  {"Set Frame Rate", IDM_FRAMERATE, false},
                  {"Set Background Color", IDM_BACKGROUND, false},
                  {"Use Direct3D", IDM_DIRECT3D, false, true}},
                 false},
                {"Animations", {{"All", IDM_ANIM_ALL, false}}, false},
                {"Polygons",
                 {{"All", IDM_POLY_ALL, false, true},
                  {"Translucent", IDM_POLY_TRANSLUCENT, false, true},
                  {"Masked", IDM_POLY_MASKED, false, true},
                  {"Two Sided", IDM_POLY_TWOSIDED, false, true},
                  {"Placeholder (Weapon Triangle)", IDM_POLY_PLACEHOLDER, false, true}},
                 false},
                {"Help",
                 {{"About Tessaly", IDM_ABOUT, false},
                  {"Help - Key Definitions", IDM_KEYHELP, false}},
                 true},
            }};
}
