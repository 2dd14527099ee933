// Texts of DirectDraw, Direct3D and Retained Mode result codes, for message boxes.
#include "render_d3d/ErrorText.h"

#include <algorithm>
#include <iterator>

namespace
{
struct cErrorRow
{
    std::uint32_t Code;
    const char* pszText;
};

constexpr std::uint32_t DD(std::uint32_t n) { return 0x88760000u + n; }

constexpr char OUT_OF_MEMORY[] = "DirectDraw does not have enough memory to perform the operation.";

// Sorted by code for the binary search below.
constexpr cErrorRow ERROR_ROWS[] = {
    {0x00000000u, "No error."},
    {0x80004001u, "Action not supported."},
    {0x80004005u, "Generic failure."},
    {0x8007000Eu, OUT_OF_MEMORY},
    {0x80070057u, "One or more of the parameters passed to the function are incorrect."},
    {DD(5), "This object is already initialized."},
    {DD(10), "This surface can not be attached to the requested surface."},
    {DD(20), "This surface can not be detached from the requested surface."},
    {DD(40), "Support is currently not available."},
    {DD(55), "An exception was encountered while performing the requested operation."},
    {DD(90), "Height of rectangle provided is not a multiple of the required alignment."},
    {DD(95), "Unable to match primary surface creation request with existing primary surface."},
    {DD(100), "One or more of the capability bits passed to the callback are incorrect."},
    {DD(110), "DirectDraw does not support the provided clip list."},
    {DD(120), "DirectDraw does not support the requested mode."},
    {DD(130), "DirectDraw received a pointer that was an invalid DirectDraw object."},
    {DD(145), "The pixel format was invalid as specified."},
    {DD(150), "The rectangle provided was invalid."},
    {DD(160), "The operation cannot be carried out because one or more surfaces are locked."},
    {DD(170), "There is no 3D hardware present."},
    {DD(180), "Operation could not be carried out because there is no alpha accleration hardware present or available."},
    {DD(205), "No clip list is available."},
    {DD(210), "Operation could not be carried out because there is no color conversion hardware present or available."},
    {DD(212), "The operation requires the application to have set a cooperative level first."},
    {DD(215), "Surface doesn't currently have a color key"},
    {DD(220), "Operation could not be carried out because there is no hardware support for the destination color key."},
    {DD(225), "The operation requires the application to have exclusive mode, which it does not have."},
    {DD(230), "Flipping visible surfaces is not supported."},
    {DD(240), "There is no graphics device interface present."},
    {DD(250), "Operation could not be carried out because there is no hardware present or available."},
    {DD(255), "The requested item was not found."},
    {DD(260), "Operation could not be carried out because there is no overlay hardware present or available."},
    {DD(280), "Operation could not be carried out because there is no appropriate raster operation hardware present or available."},
    {DD(290), "Operation could not be carried out because there is no rotation hardware present or available."},
    {DD(310), "Operation could not be carried out because there is no hardware support for stretching."},
    {DD(316), "The operation requires a surface with 4-bit color, which this surface is not."},
    {DD(317), "The operation requires a surface with a 4-bit color index palette, which this surface is not."},
    {DD(320), "The operation requires a surface with 8-bit color, which this surface is not."},
    {DD(330), "Operation could not be carried out because there is no texture mapping hardware present or available."},
    {DD(335), "Operation could not be carried out because there is no hardware support for vertical blank synchronized operations."},
    {DD(340), "Operation could not be carried out because there is no hardware support for a z-buffer."},
    {DD(350), "The overlay surfaces cannot be z-layered based on their order because the hardware does not support it."},
    {DD(360), "The hardware needed for the requested operation has already been allocated."},
    {DD(380), OUT_OF_MEMORY},
    {DD(382), "The hardware does not support clipped overlays."},
    {DD(384), "Can only have ony color key active at one time for overlays."},
    {DD(387), "Access to this palette is being refused because the palette is already locked by another thread."},
    {DD(400), "No source color key was specified for this operation."},
    {DD(410), "This surface is already attached to the surface it is being attached to."},
    {DD(420), "This surface is already a dependency of the surface it is being made a dependency of."},
    {DD(430), "Access to this surface is being refused because the surface is already locked by another thread."},
    {DD(440), "Access to this surface is being refused because the surface is obscured."},
    {DD(450), "Access to this surface is being refused because the surface memory is gone. The DirectDrawSurface object representing this surface should have Restore called on it."},
    {DD(460), "The requested surface is not attached."},
    {DD(470), "The height requested by DirectDraw is too large."},
    {DD(480), "The size requested by DirectDraw is too large."},
    {DD(490), "The width requested by DirectDraw is too large."},
    {DD(510), "The requested pixel format is not supported by DirectDraw."},
    {DD(520), "The bitmask in the pixel format requested is not supported by DirectDraw."},
    {DD(537), "A vertical blank is in progress."},
    {DD(540), "Informs DirectDraw that the previous Blt which is transfering information to or from this Surface is incomplete."},
    {DD(560), "The rectangle provided was not horizontally aligned on the required boundary."},
    {DD(561), "The GUID passed to DirectDrawCreate is not a valid DirectDraw driver identifier."},
    {DD(562), "A DirectDraw object representing this driver has already been created for this process."},
    {DD(563), "A hardware-only DirectDraw object creation was attempted but the driver did not support any hardware."},
    {DD(564), "This process already has created a primary surface."},
    {DD(565), "Software emulation is not available."},
    {DD(566), "The region passed to the clipper's GetClipList is too small."},
    {DD(567), "An attempt was made to set a clip list for a clipper object that is already monitoring a window."},
    {DD(568), "No clipper object is attached to the surface object."},
    {DD(569), "The clipper notification requires a window handle, or no window handle has been set as the cooperative level window handle."},
    {DD(570), "The window handle used by DirectDraw has been subclassed by another object."},
    {DD(571), "The cooperative level window handle has already been set and cannot be reset while surfaces or palettes exist."},
    {DD(572), "No palette object is attached to this surface."},
    {DD(573), "Operation could not be carried out because there is no hardware support for 16 or 256 color palettes."},
    {DD(574), "Return if a clipper object is attached to the source surface passed into a BltFast call."},
    {DD(575), "Operation could not be carried out because there is no blitter hardware present or available."},
    {DD(576), "Operation could not be carried out because there is no raster operation hardware present or available."},
    {DD(577), "The overlay position was asked for while the overlay is not visible."},
    {DD(578), "The overlay position was asked for while the overlay has no destination."},
    {DD(579), "The position given for the overlay on the destination is no longer legal."},
    {DD(580), "An overlay operation was asked of a surface that is not an overlay."},
    {DD(581), "Exclusive mode has already been set by another object."},
    {DD(582), "The surface being flipped is not part of a flipping chain."},
    {DD(583), "Surfaces that were created implicitly cannot be duplicated."},
    {DD(584), "The surface was not locked, so it cannot be unlocked."},
    {DD(585), "A device context could not be created for this surface."},
    {DD(586), "The surface has no device context to give back."},
    {DD(587), "The surface cannot be restored because it was created in a different display mode."},
    {DD(588), "The surface cannot be restored because it was created implicitly."},
    {DD(589), "The surface has no palette because it is not palette-based."},
    {DD(700), "D3DERR_BADMAJORVERSION"},
    {DD(701), "D3DERR_BADMINORVERSION"},
    {DD(710), "D3DERR_EXECUTE_CREATE_FAILED"},
    {DD(711), "D3DERR_EXECUTE_DESTROY_FAILED"},
    {DD(712), "D3DERR_EXECUTE_LOCK_FAILED"},
    {DD(713), "D3DERR_EXECUTE_UNLOCK_FAILED"},
    {DD(714), "D3DERR_EXECUTE_LOCKED"},
    {DD(715), "D3DERR_EXECUTE_NOT_LOCKED"},
    {DD(716), "D3DERR_EXECUTE_FAILED"},
    {DD(717), "D3DERR_EXECUTE_CLIPPED_FAILED"},
    {DD(720), "D3DERR_TEXTURE_NO_SUPPORT"},
    {DD(721), "D3DERR_TEXTURE_CREATE_FAILED"},
    {DD(722), "D3DERR_TEXTURE_DESTROY_FAILED"},
    {DD(723), "D3DERR_TEXTURE_LOCK_FAILED"},
    {DD(724), "D3DERR_TEXTURE_UNLOCK_FAILED"},
    {DD(725), "D3DERR_TEXTURE_LOAD_FAILED"},
    {DD(727), "D3DERR_TEXTURELOCKED"},
    {DD(728), "D3DERR_TEXTURE_NOT_LOCKED"},
    {DD(730), "D3DERR_MATRIX_CREATE_FAILED"},
    {DD(731), "D3DERR_MATRIX_DESTROY_FAILED"},
    {DD(732), "D3DERR_MATRIX_SETDATA_FAILED"},
    {DD(734), "D3DERR_SETVIEWPORTDATA_FAILED"},
    {DD(740), "D3DERR_MATERIAL_CREATE_FAILED"},
    {DD(741), "D3DERR_MATERIAL_DESTROY_FAILED"},
    {DD(742), "D3DERR_MATERIAL_SETDATA_FAILED"},
    {DD(750), "D3DERR_LIGHT_SET_FAILED"},
    {DD(781), "Object expected in argument."},
    {DD(782), "Bad argument type passed."},
    {DD(783), "Out of memory."},
    {DD(784), "Face already used in a mesh."},
    {DD(785), "Object not found in specified place."},
    {DD(786), "D3DRMERR_NOTDONEYET (not implemented yet)"},
    {DD(787), "File cannot be opened."},
    {DD(788), "Data file is corrupt."},
    {DD(789), "Device is not compatible with renderer."},
    {DD(790), "Bad argument value passed."},
    {DD(791), "Bad DLL major version."},
    {DD(792), "Bad DLL minor version."},
    {DD(793), "Unable to carry out procedure."},
    {DD(796), "The data required to supply the requested information has not finished loading."},
    {DD(797), "Not enough data has been loaded to perform the requested operation."},
    {DD(798), "An attempt was made to set a level of detail in a\nprogressive mesh greater than the maximum available."},
    {DD(799), "An attempt was made to set the minimum rendering detail of a\nprogressive mesh smaller than the detail in the base mesh (the minimum for rendering)."},
    {DD(800), "Data connection was lost during a load, clone, or duplicate."},
    {DD(804), "An attempt was made to access a bounding box (for example,\nwith IDirect3DRMFrame2::GetBox) when no bounding box was set on the frame."},
    {DD(805), "The data in the X File is corrupted. The conversion to a progressive mesh\nsucceeded but produced an invalid progressive mesh in the X File."},
};

constexpr bool IsSorted()
{
    for (std::size_t i = 1; i < std::size(ERROR_ROWS); ++i)
        if (!(ERROR_ROWS[i - 1].Code < ERROR_ROWS[i].Code))
            return false;
    return true;
}
static_assert(std::size(ERROR_ROWS) == 137, "one row per known result code");
static_assert(IsSorted(), "rows are in ascending code order");
}

const char* ErrorText(std::int32_t Code)
{
    const std::uint32_t Key = static_cast<std::uint32_t>(Code);
    const cErrorRow* pEnd = std::end(ERROR_ROWS);
    const cErrorRow* pRow =
        std::lower_bound(std::begin(ERROR_ROWS), pEnd, Key, [](const cErrorRow& Row, std::uint32_t Value) { return Row.Code < Value; });
    return pRow != pEnd && pRow->Code == Key ? pRow->pszText : "Unrecognized error value.";
}
