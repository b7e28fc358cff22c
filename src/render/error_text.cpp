#include "render/error_text.h"

#include <algorithm>
#include <array>

namespace roamer::render {
namespace {

// Platform statuses are 0x88760000 + n read as a signed 32-bit number.
constexpr std::int32_t Code(std::uint32_t n) {
    return static_cast<std::int32_t>(0x88760000u + n);
}

struct StatusText {
    std::uint32_t n;
    const char* text;
};

// The surface and display statuses, described by what each means.
constexpr std::array kDisplayTexts = std::to_array<StatusText>({
    {5, "This object is already initialized."},
    {10, "This surface can not be attached to the requested surface."},
    {20, "This surface can not be detached from the requested surface."},
    {40, "Support is currently not available."},
    {55, "An exception was encountered while performing the requested operation."},
    {90, "Height of rectangle provided is not a multiple of reqd alignment."},
    {95, "Unable to match primary surface creation request with existing primary surface."},
    {100, "One or more of the caps bits passed to the callback are incorrect."},
    {110, "DirectDraw does not support the provided cliplist."},
    {120, "DirectDraw does not support the requested mode."},
    {130, "DirectDraw received a pointer that was an invalid DIRECTDRAW object."},
    {145, "Pixel format was invalid as specified."},
    {150, "Rectangle provided was invalid."},
    {160, "Operation could not be carried out because one or more surfaces are locked."},
    {170, "There is no 3D present."},
    {180, "Operation could not be carried out because there is no alpha acceleration hardware "
          "present or available."},
    {205, "No clip list available."},
    {210, "Operation could not be carried out because there is no color conversion hardware "
          "present or available."},
    {212, "Create function called without DirectDraw object method SetCooperativeLevel being "
          "called."},
    {215, "Surface doesn't currently have a color key."},
    {220, "Operation could not be carried out because there is no hardware support of the "
          "destination color key."},
    {225, "Operation requires the application to have exclusive mode but the application does "
          "not have exclusive mode."},
    {230, "Flipping visible surfaces is not supported."},
    {240, "There is no GDI present."},
    {250, "Operation could not be carried out because there is no hardware present or "
          "available."},
    {255, "Requested item was not found."},
    {260, "Operation could not be carried out because there is no overlay hardware present or "
          "available."},
    {280, "Operation could not be carried out because there is no appropriate raster op "
          "hardware present or available."},
    {290, "Operation could not be carried out because there is no rotation hardware present or "
          "available."},
    {310, "Operation could not be carried out because there is no hardware support for "
          "stretching."},
    {316, "DirectDrawSurface is not in 4 bit color palette and the requested operation requires "
          "4 bit color palette."},
    {317, "DirectDrawSurface is not in 4 bit color index palette and the requested operation "
          "requires 4 bit color index palette."},
    {320, "DirectDrawSurface is not in 8 bit color mode and the requested operation requires 8 "
          "bit color."},
    {330, "Operation could not be carried out because there is no texture mapping hardware "
          "present or available."},
    {335, "Operation could not be carried out because there is no hardware support for "
          "vertical blank synchronized operations."},
    {340, "Operation could not be carried out because there is no hardware support for zbuffer "
          "blitting."},
    {350, "Overlay surfaces could not be z layered based on their BltOrder because the hardware "
          "does not support z layering of overlays."},
    {360, "The hardware needed for the requested operation has already been allocated."},
    {380, "DirectDraw does not have enough display memory to perform the operation."},
    {382, "Hardware does not support clipped overlays."},
    {384, "Can only have one color key active at one time for overlays."},
    {387, "Access to this palette is being refused because the palette is already locked by "
          "another thread."},
    {400, "No source color key specified for this operation."},
    {410, "This surface is already attached to the surface it is being attached to."},
    {420, "This surface is already a dependency of the surface it is being made a dependency "
          "of."},
    {430, "Access to this surface is being refused because the surface is already locked by "
          "another thread."},
    {440, "Access to this surface is being refused because no driver exists which can supply a "
          "pointer to the surface."},
    {450, "Access to surface refused because the surface is obscured."},
    {460, "Access to this surface is being refused because the surface is gone. The surface "
          "object should have Restore called on it."},
    {470, "The requested surface is not attached."},
    {480, "Height requested by DirectDraw is too large."},
    {490, "Size requested by DirectDraw is too large, but the individual height and width are "
          "OK."},
    {510, "FOURCC format requested is unsupported by DirectDraw."},
    {520, "Bitmask in the pixel format requested is unsupported by DirectDraw."},
    {537, "Vertical blank is in progress."},
    {540, "Informs DirectDraw that the previous Blt which is transferring information to or "
          "from this Surface is incomplete."},
    {560, "Rectangle provided was not horizontally aligned on required boundary."},
    {561, "The GUID passed to DirectDrawCreate is not a valid DirectDraw driver identifier."},
    {562, "A DirectDraw object representing this driver has already been created for this "
          "process."},
    {563, "A hardware only DirectDraw object creation was attempted but the driver did not "
          "support any hardware."},
    {564, "This process already has created a primary surface."},
    {565, "Software emulation not available."},
    {566, "Region passed to Clipper::GetClipList is too small."},
    {567, "An attempt was made to set a cliplist for a clipper object that is already "
          "monitoring an hwnd."},
    {568, "No clipper object attached to surface object."},
    {569, "Clipper notification requires an HWND or no HWND has previously been set as the "
          "CooperativeLevel HWND."},
    {570, "HWND used by DirectDraw CooperativeLevel has been subclassed, this prevents "
          "DirectDraw from restoring state."},
    {571, "The CooperativeLevel HWND has already been set. It can not be reset while the "
          "process has surfaces or palettes created."},
    {572, "No palette object attached to this surface."},
    {573, "No hardware support for 16 or 256 color palettes."},
    {574, "A clipper object is attached to the source surface passed into a BltFast call."},
    {575, "No blitter hardware present."},
    {576, "No DirectDraw raster operation (ROP) hardware is available."},
    {577, "GetOverlayPosition was called on a hidden overlay."},
    {578, "GetOverlayPosition was called on an overlay but UpdateOverlay has never been called "
          "on to establish a destination."},
    {579, "The position of the overlay on the destination is no longer legal for that "
          "destination."},
    {580, "An overlay member was called for a non-overlay surface."},
    {581, "An attempt was made to set the cooperative level when it was already set to "
          "exclusive."},
    {582, "An attempt has been made to flip a surface that is not flippable."},
    {583, "Can't duplicate primary and 3D surfaces, or surfaces that are implicitly created."},
    {584, "Surface was not locked. An attempt to unlock a surface that was not locked at all, "
          "or by this process, has been attempted."},
    {585, "Windows can not create any more device contexts."},
    {586, "No device context was ever created for this surface."},
    {587, "This surface can not be restored because it was created in a different mode."},
    {588, "This surface can not be restored because it is an implicitly created surface."},
    {589, "The surface being used is not a palette-based surface."},
});

// The 3D device and retained-mode statuses read as their own names.
constexpr std::array kNamedTexts = std::to_array<StatusText>({
    {700, "D3DERR_BADMAJORVERSION"},
    {701, "D3DERR_BADMINORVERSION"},
    {710, "D3DERR_EXECUTE_CREATE_FAILED"},
    {711, "D3DERR_EXECUTE_DESTROY_FAILED"},
    {712, "D3DERR_EXECUTE_LOCK_FAILED"},
    {713, "D3DERR_EXECUTE_UNLOCK_FAILED"},
    {714, "D3DERR_EXECUTE_LOCKED"},
    {715, "D3DERR_EXECUTE_NOT_LOCKED"},
    {716, "D3DERR_EXECUTE_FAILED"},
    {717, "D3DERR_EXECUTE_CLIPPED_FAILED"},
    {720, "D3DERR_TEXTURE_NO_SUPPORT"},
    {721, "D3DERR_TEXTURE_CREATE_FAILED"},
    {722, "D3DERR_TEXTURE_DESTROY_FAILED"},
    {723, "D3DERR_TEXTURE_LOCK_FAILED"},
    {724, "D3DERR_TEXTURE_UNLOCK_FAILED"},
    {725, "D3DERR_TEXTURE_LOAD_FAILED"},
    {727, "D3DERR_TEXTURELOCKED"},
    {728, "D3DERR_TEXTURE_NOT_LOCKED"},
    {730, "D3DERR_MATRIX_CREATE_FAILED"},
    {731, "D3DERR_MATRIX_DESTROY_FAILED"},
    {732, "D3DERR_MATRIX_SETDATA_FAILED"},
    {734, "D3DERR_SETVIEWPORTDATA_FAILED"},
    {740, "D3DERR_MATERIAL_CREATE_FAILED"},
    {741, "D3DERR_MATERIAL_DESTROY_FAILED"},
    {742, "D3DERR_MATERIAL_SETDATA_FAILED"},
    {750, "D3DERR_LIGHT_SET_FAILED"},
    {781, "D3DRMERR_BADOBJECT"},
    {782, "D3DRMERR_BADTYPE"},
    {783, "D3DRMERR_BADALLOC"},
    {784, "D3DRMERR_FACEUSED"},
    {785, "D3DRMERR_NOTFOUND"},
    {786, "D3DRMERR_NOTDONEYET"},
    {787, "The file was not found."},
    {788, "D3DRMERR_BADFILE"},
    {789, "D3DRMERR_BADDEVICE"},
    {790, "D3DRMERR_BADVALUE"},
    {791, "D3DRMERR_BADMAJORVERSION"},
    {792, "D3DRMERR_BADMINORVERSION"},
    {793, "D3DRMERR_UNABLETOEXECUTE"},
});

// The general statuses of the system's object model.
constexpr std::int32_t kNotImplemented = static_cast<std::int32_t>(0x80004001u);
constexpr std::int32_t kOutOfMemory = static_cast<std::int32_t>(0x8007000Eu);
constexpr std::int32_t kInvalidArgument = static_cast<std::int32_t>(0x80070057u);
constexpr std::int32_t kFail = static_cast<std::int32_t>(0x80004005u);

template <std::size_t N>
const char* Find(const std::array<StatusText, N>& table, std::int32_t status) {
    const auto it = std::find_if(table.begin(), table.end(),
                                 [status](const StatusText& t) { return Code(t.n) == status; });
    return it == table.end() ? nullptr : it->text;
}

}  // namespace

const char* ErrorText(std::int32_t status) {
    if (status == 0) return "No error.";
    if (status > 0) return "Unrecognized error value.";
    switch (status) {
        case kNotImplemented: return "Action not supported.";
        case kOutOfMemory: return "DirectDraw does not have enough memory to perform the operation.";
        case kInvalidArgument:
            return "One or more of the parameters passed to the function are incorrect.";
        case kFail: return "Generic failure.";
        default: break;
    }
    if (const char* text = Find(kDisplayTexts, status)) return text;
    if (const char* text = Find(kNamedTexts, status)) return text;
    return "Unrecognized error value.";
}

}  // namespace roamer::render
