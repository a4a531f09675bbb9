#include "engine/render/ResultTexts.h"

#include "platform/video/VideoResult.h"

#include <iterator>

namespace Halvard {

namespace {

namespace R = Platform::VideoResults;

struct ResultText {
    i32 result;
    const char* text;
};

// Texts are Windows-1252.
constexpr ResultText kTexts[] = {
    {R::kUnsupported, "The operation is not supported by this object."},
    {R::kGeneric, "There is an undefined error condition."},
    {R::kNotInitialized, "The object was used before it was initialized."},
    {R::kOutOfMemory, "There is not enough memory to perform the operation."},
    {R::kInvalidParams, "One or more of the parameters passed to the method are incorrect."},
    {R::kAlreadyInitialized, "The object has already been initialized."},
    {R::kCannotAttachSurface, "The surface cannot be attached to the requested surface."},
    {R::kCannotDetachSurface, "The surface cannot be detached from the requested surface."},
    {R::kCurrentlyNotAvailable, "No support is currently available for the operation."},
    {R::kException, "An exception was raised while the operation was carried out."},
    {R::kHeightAlign, "The height of the rectangle given is not a multiple of the required alignment."},
    {R::kIncompatiblePrimary, "The requested primary surface does not match the existing one."},
    {R::kInvalidCaps, "One or more of the capability bits passed are incorrect."},
    {R::kInvalidClipList, "The clip list given is not supported."},
    {R::kInvalidMode, "The requested display mode is not supported."},
    {R::kInvalidObject, "An object that is not valid was passed to the method."},
    {R::kInvalidPixelFormat, "The pixel format given is not valid."},
    {R::kInvalidRect, "The rectangle given is not valid."},
    {R::kLockedSurfaces, "The operation cannot be carried out while one or more surfaces are locked."},
    {R::kNo3D, "There is no three-dimensional hardware or emulation present."},
    {R::kNoAlphaHardware, "There is no alpha acceleration hardware present or available."},
    {R::kNoStereoHardware, "There is no stereo hardware present or available."},
    {R::kNoSurfaceLeft, "There is no hardware left that can show a stereo surface."},
    {R::kNoClipList, "No clip list is available."},
    {R::kNoColorConversionHardware, "There is no hardware that can convert colours present or available."},
    {R::kNoCooperativeLevelSet, "A create function was called before the cooperative level was set."},
    {R::kNoColorKey, "The surface does not have a colour key at present."},
    {R::kNoColorKeyHardware, "There is no hardware support for the destination colour key."},
    {R::kNoDisplayDriverSupport, "There is no display driver support, because the display is not a supported "
                                 "device."},
    {R::kNoExclusiveMode, "The operation requires exclusive mode, and the program does not hold it."},
    {R::kNoFlipHardware, "Flipping between visible surfaces is not supported by the hardware."},
    {R::kNoGdi, "There is no desktop graphics interface present."},
    {R::kNoMirrorHardware, "There is no hardware that can mirror, or it is not available."},
    {R::kNotFound, "The requested item was not found."},
    {R::kNoOverlayHardware, "There is no overlay hardware present or available."},
    {R::kOverlappingRects, "The source and destination rectangles are on the same surface and overlap."},
    {R::kNoRasterOperationHardware, "There is no hardware for the requested raster operation."},
    {R::kNoRotationHardware, "There is no rotation hardware present or available."},
    {R::kNoStretchHardware, "The hardware cannot stretch the image, and the operation needs it."},
    {R::kNot4BitColor, "The surface does not use a 4-bit colour palette, and the operation needs one."},
    {R::kNot4BitColorIndex, "The surface does not use a 4-bit colour index palette, and the operation needs "
                            "one."},
    {R::kNot8BitColor, "The surface does not use an 8-bit colour palette, and the operation needs one."},
    {R::kNoTextureHardware, "The operation cannot be carried out because there is no texture mapping "
                            "hardware present or available."},
    {R::kNoVerticalSyncHardware, "There is no hardware support for vertical blank"
                                 "\x96"
                                 "synchronized operations."},
    {R::kNoZBufferHardware, "The operation to create a z-buffer in display memory or to perform a blit, "
                            "using a z-buffer cannot be carried out because there is no hardware support for "
                            "z-buffers."},
    {R::kNoZOverlayHardware, "The overlay surfaces cannot be ordered by depth because the hardware does not "
                             "support it."},
    {R::kOutOfCaps, "The hardware needed for the operation has already been allocated."},
    {R::kOutOfVideoMemory, "DirectDraw does not have enough display memory to perform the operation."},
    {R::kOverlayCannotClip, "The hardware cannot clip an overlay."},
    {R::kOverlayColorKeyOnlyOneActive, "Only one colour key can be active on an overlay at a time."},
    {R::kPaletteBusy, "The palette is locked by another thread and cannot be reached."},
    {R::kColorKeyNotSet, "No source colour key has been set for the operation."},
    {R::kSurfaceAlreadyAttached, "The surface is already attached to the surface it was to be attached to."},
    {R::kSurfaceAlreadyDependent, "The surface already depends on the surface it was to be made dependent "
                                  "on."},
    {R::kSurfaceBusy, "Access to the surface is refused because the surface is locked by another thread."},
    {R::kCannotLockSurface, "Access to the surface is refused because an attempt was made to lock the "
                            "primary surface without the access it needs."},
    {R::kSurfaceIsObscured, "Access to the surface is refused because the surface is hidden by another "
                            "window."},
    {R::kSurfaceLost, "Access to the surface is refused because the surface memory is gone. Call the "
                      "IDirectDrawSurface7::Restore method on this surface to restore the memory associated "
                      "with it."},
    {R::kSurfaceNotAttached, "The requested surface is not attached."},
    {R::kTooBigHeight, "The height requested is larger than the hardware allows."},
    {R::kTooBigSize, "The size requested is larger than the hardware allows."},
    {R::kTooBigWidth, "The width requested is larger than the hardware allows."},
    {R::kUnsupportedFormat, "The pixel format requested is not supported."},
    {R::kUnsupportedMask, "The bit mask in the pixel format requested is not supported."},
    {R::kInvalidStream, "The stream given is not valid for this operation."},
    {R::kVerticalBlankInProgress, "A vertical blank is in progress."},
    {R::kWasStillDrawing, "The previous blit operation that is transferring information to or from this "
                          "surface is incomplete."},
    {R::kComplexRequired, "The surface must be created as a complex surface for this operation."},
    {R::kXAlign, "The rectangle given was not horizontally aligned on a required boundary."},
    {R::kInvalidDriverIdentifier, "The identifier passed for the display driver is not a valid one."},
    {R::kDriverAlreadyCreated, "A display object for this driver has already been created."},
    {R::kNoDriverHardware, "The operation cannot be carried out without display hardware."},
    {R::kPrimarySurfaceAlreadyExists, "This process has already created a primary surface."},
    {R::kNoEmulation, "The operation needs software emulation, which is not available."},
    {R::kRegionTooSmall, "The region passed to the clipper is too small."},
    {R::kClipperIsUsingWindow, "A clip list cannot be set on a clipper that is already watching a window."},
    {R::kNoClipperAttached, "No clipper object is attached to the surface."},
    {R::kNoWindow, "The clipper or the cooperative level needs a window, and none was set."},
    {R::kWindowSubclassed, "The window's state cannot be restored because the window has been subclassed "
                           "by another program."},
    {R::kWindowAlreadySet, "The cooperative level window cannot be changed while surfaces or palettes "
                           "exist."},
    {R::kNoPaletteAttached, "No palette object is attached to the surface."},
    {R::kNoPaletteHardware, "There is no hardware support for palettes of 16 or 256 colours."},
    {R::kFastBlitCannotClip, "A fast blit cannot be carried out on a surface that has a clipper attached."},
    {R::kNoBlitHardware, "There is no blitter hardware present."},
    {R::kNoRasterOperationsHardware, "There is no hardware support for raster operations."},
    {R::kOverlayNotVisible, "The position of the overlay cannot be read because the overlay is hidden."},
    {R::kNoOverlayDestination, "The overlay is not shown anywhere yet, so its position cannot be read."},
    {R::kInvalidPosition, "The position of the overlay on the destination is no longer valid."},
    {R::kNotAnOverlaySurface, "An overlay operation was called on a surface that is not an overlay."},
    {R::kExclusiveModeAlreadySet, "Exclusive mode has already been set by another program."},
    {R::kNotFlippable, "A flip was requested on a surface that cannot be flipped."},
    {R::kCannotDuplicate, "Primary surfaces and the surfaces attached to them cannot be duplicated."},
    {R::kNotLocked, "The surface was unlocked without having been locked."},
    {R::kCannotCreateDeviceContext, "No device context could be created for the surface."},
    {R::kNoDeviceContext, "The surface has never had a device context created for it."},
    {R::kWrongMode, "This surface cannot be restored because it was created in a different mode."},
    {R::kImplicitlyCreated, "The surface cannot be restored because it was created implicitly."},
    {R::kNotPalettized, "The surface is not a palette-based surface."},
    {R::kUnsupportedMode, "The display is in a mode that the operation does not support."},
    {R::kNoMipMapHardware, "There is no mip-mapping hardware present or available."},
    {R::kInvalidSurfaceType, "The surface is of the wrong type for this operation."},
    {R::kNoOptimizeHardware, "The device does not support optimized surfaces."},
    {R::kNotLoaded, "The surface is an optimized surface with no memory allocated yet."},
    {R::kNoFocusWindow, "A full-screen object cannot be created without a focus window."},
    {R::kDeviceContextAlreadyCreated, "A device context has already been returned for this surface."},
    {R::kNoNonLocalVideoMemory, "The display has no non-local video memory."},
    {R::kCannotPageLock, "The surface memory could not be locked in place."},
    {R::kCannotPageUnlock, "The surface memory could not be released from its place."},
    {R::kNotPageLocked, "The surface memory was released from its place without having been locked in it."},
    {R::kMoreData, "There is more data available than the buffer given can hold."},
    {R::kExpired, "The data has expired and is no longer valid."},
    {R::kTestFinished, "The mode test has finished."},
    {R::kNewMode, "The mode test has switched to a new mode."},
    {R::kVideoNotActive, "The video port is not active."},
    {R::kNoMonitorInformation, "Nothing is known about the monitor, so the mode test cannot go on."},
    {R::kNoDriverSupport, "The driver does not support the mode test."},
    {R::kDeviceDoesNotOwnSurface, "A surface made by one device cannot be used by another device."},
};

static_assert(std::size(kTexts) == 117);

} // namespace

const char* FindResultText(i32 result)
{
    for (const ResultText& row : kTexts) {
        if (row.result == result)
            return row.text;
    }
    return nullptr;
}

} // namespace Halvard
