#pragma once

#include <cstdint>

namespace Platform {

// What a call of the video layer answers: 0 or a positive number for
// success, a negative code for a failure. The codes keep the numbers of the
// display-driver interface the render system was first written for, so its
// table of result texts and its "Unknown error (Code: n)" lines read the same
// on every backend.
using VideoResult = int32_t;

namespace VideoResults {

constexpr VideoResult Code(uint32_t n) { return static_cast<VideoResult>(0x88760000u + n); }

constexpr VideoResult kOk = 0;

constexpr VideoResult kUnsupported = static_cast<VideoResult>(0x80004001u);
constexpr VideoResult kGeneric = static_cast<VideoResult>(0x80004005u);
constexpr VideoResult kNotInitialized = static_cast<VideoResult>(0x800401F0u);
constexpr VideoResult kOutOfMemory = static_cast<VideoResult>(0x8007000Eu);
constexpr VideoResult kInvalidParams = static_cast<VideoResult>(0x80070057u);

constexpr VideoResult kAlreadyInitialized = Code(5);
constexpr VideoResult kCannotAttachSurface = Code(10);
constexpr VideoResult kCannotDetachSurface = Code(20);
constexpr VideoResult kCurrentlyNotAvailable = Code(40);
constexpr VideoResult kException = Code(55);
constexpr VideoResult kHeightAlign = Code(90);
constexpr VideoResult kIncompatiblePrimary = Code(95);
constexpr VideoResult kInvalidCaps = Code(100);
constexpr VideoResult kInvalidClipList = Code(110);
constexpr VideoResult kInvalidMode = Code(120);
constexpr VideoResult kInvalidObject = Code(130);
constexpr VideoResult kInvalidPixelFormat = Code(145);
constexpr VideoResult kInvalidRect = Code(150);
constexpr VideoResult kLockedSurfaces = Code(160);
constexpr VideoResult kNo3D = Code(170);
constexpr VideoResult kNoAlphaHardware = Code(180);
constexpr VideoResult kNoStereoHardware = Code(181);
constexpr VideoResult kNoSurfaceLeft = Code(182);
constexpr VideoResult kNoClipList = Code(205);
constexpr VideoResult kNoColorConversionHardware = Code(210);
constexpr VideoResult kNoCooperativeLevelSet = Code(212);
constexpr VideoResult kNoColorKey = Code(215);
constexpr VideoResult kNoColorKeyHardware = Code(220);
constexpr VideoResult kNoDisplayDriverSupport = Code(222);
constexpr VideoResult kNoExclusiveMode = Code(225);
constexpr VideoResult kNoFlipHardware = Code(230);
constexpr VideoResult kNoGdi = Code(240);
constexpr VideoResult kNoMirrorHardware = Code(250);
constexpr VideoResult kNotFound = Code(255);
constexpr VideoResult kNoOverlayHardware = Code(260);
constexpr VideoResult kOverlappingRects = Code(270);
constexpr VideoResult kNoRasterOperationHardware = Code(280);
constexpr VideoResult kNoRotationHardware = Code(290);
constexpr VideoResult kNoStretchHardware = Code(310);
constexpr VideoResult kNot4BitColor = Code(316);
constexpr VideoResult kNot4BitColorIndex = Code(317);
constexpr VideoResult kNot8BitColor = Code(320);
constexpr VideoResult kNoTextureHardware = Code(330);
constexpr VideoResult kNoVerticalSyncHardware = Code(335);
constexpr VideoResult kNoZBufferHardware = Code(340);
constexpr VideoResult kNoZOverlayHardware = Code(350);
constexpr VideoResult kOutOfCaps = Code(360);
constexpr VideoResult kOutOfVideoMemory = Code(380);
constexpr VideoResult kOverlayCannotClip = Code(382);
constexpr VideoResult kOverlayColorKeyOnlyOneActive = Code(384);
constexpr VideoResult kPaletteBusy = Code(387);
constexpr VideoResult kColorKeyNotSet = Code(400);
constexpr VideoResult kSurfaceAlreadyAttached = Code(410);
constexpr VideoResult kSurfaceAlreadyDependent = Code(420);
constexpr VideoResult kSurfaceBusy = Code(430);
constexpr VideoResult kCannotLockSurface = Code(435);
constexpr VideoResult kSurfaceIsObscured = Code(440);
constexpr VideoResult kSurfaceLost = Code(450);
constexpr VideoResult kSurfaceNotAttached = Code(460);
constexpr VideoResult kTooBigHeight = Code(470);
constexpr VideoResult kTooBigSize = Code(480);
constexpr VideoResult kTooBigWidth = Code(490);
constexpr VideoResult kUnsupportedFormat = Code(510);
constexpr VideoResult kUnsupportedMask = Code(520);
constexpr VideoResult kInvalidStream = Code(521);
constexpr VideoResult kVerticalBlankInProgress = Code(537);
constexpr VideoResult kWasStillDrawing = Code(540);
constexpr VideoResult kComplexRequired = Code(542);
constexpr VideoResult kXAlign = Code(560);
constexpr VideoResult kInvalidDriverIdentifier = Code(561);
constexpr VideoResult kDriverAlreadyCreated = Code(562);
constexpr VideoResult kNoDriverHardware = Code(563);
constexpr VideoResult kPrimarySurfaceAlreadyExists = Code(564);
constexpr VideoResult kNoEmulation = Code(565);
constexpr VideoResult kRegionTooSmall = Code(566);
constexpr VideoResult kClipperIsUsingWindow = Code(567);
constexpr VideoResult kNoClipperAttached = Code(568);
constexpr VideoResult kNoWindow = Code(569);
constexpr VideoResult kWindowSubclassed = Code(570);
constexpr VideoResult kWindowAlreadySet = Code(571);
constexpr VideoResult kNoPaletteAttached = Code(572);
constexpr VideoResult kNoPaletteHardware = Code(573);
constexpr VideoResult kFastBlitCannotClip = Code(574);
constexpr VideoResult kNoBlitHardware = Code(575);
constexpr VideoResult kNoRasterOperationsHardware = Code(576);
constexpr VideoResult kOverlayNotVisible = Code(577);
constexpr VideoResult kNoOverlayDestination = Code(578);
constexpr VideoResult kInvalidPosition = Code(579);
constexpr VideoResult kNotAnOverlaySurface = Code(580);
constexpr VideoResult kExclusiveModeAlreadySet = Code(581);
constexpr VideoResult kNotFlippable = Code(582);
constexpr VideoResult kCannotDuplicate = Code(583);
constexpr VideoResult kNotLocked = Code(584);
constexpr VideoResult kCannotCreateDeviceContext = Code(585);
constexpr VideoResult kNoDeviceContext = Code(586);
constexpr VideoResult kWrongMode = Code(587);
constexpr VideoResult kImplicitlyCreated = Code(588);
constexpr VideoResult kNotPalettized = Code(589);
constexpr VideoResult kUnsupportedMode = Code(590);
constexpr VideoResult kNoMipMapHardware = Code(591);
constexpr VideoResult kInvalidSurfaceType = Code(592);
constexpr VideoResult kNoOptimizeHardware = Code(600);
constexpr VideoResult kNotLoaded = Code(601);
constexpr VideoResult kNoFocusWindow = Code(602);
constexpr VideoResult kDeviceContextAlreadyCreated = Code(620);
constexpr VideoResult kNoNonLocalVideoMemory = Code(630);
constexpr VideoResult kCannotPageLock = Code(640);
constexpr VideoResult kCannotPageUnlock = Code(660);
constexpr VideoResult kNotPageLocked = Code(680);
constexpr VideoResult kMoreData = Code(690);
constexpr VideoResult kExpired = Code(691);
constexpr VideoResult kTestFinished = Code(692);
constexpr VideoResult kNewMode = Code(693);
constexpr VideoResult kVideoNotActive = Code(695);
constexpr VideoResult kNoMonitorInformation = Code(696);
constexpr VideoResult kNoDriverSupport = Code(697);
constexpr VideoResult kDeviceDoesNotOwnSurface = Code(699);

} // namespace VideoResults

inline bool Failed(VideoResult result) { return result < 0; }

} // namespace Platform
