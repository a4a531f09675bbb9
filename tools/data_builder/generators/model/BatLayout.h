#pragma once

namespace Tools {

// The bat as it stands at its place, in its own space, which is the space of
// each of its part files: the head across the origin on z = 0, the body a
// low craft behind the head's bar, the screw its rotor. The game puts each
// part where it is modelled, relative to the bat's place, and rolls the body
// and the screw about the line along the bat through the rotor's hub. The
// body's matrix, which the guns and their bolts ride, is then the bat's
// place itself while the body does not roll: they are modelled in this
// space too.
//
// The level's camera looks from (0, -55, 98) here down the field; the lower
// edge of its view meets the field just in front of the bar, the sight line
// there falling about 1.79 for each unit along the field. Whatever stands
// above the sight line that grazes the bar's top front edge (falling 1.71
// for each unit) hides some ball beyond the head. So everything of the bat
// but the head stands behind the bar, under that line and inside the head's
// width as the camera sees it: in the thin wedge above the view's lower
// edge where, on the screen, it covers only the head itself. That wedge is
// about 4 high; the body and the rotor fill its front, the gun sits
// highest, farthest back.

// Frame k of the head is stretched by k: its half width grows from 10 at
// frame 0 to 40 at frame 60, the length extension the game shows.
inline constexpr int kBatHeadFrameCount = 61;
constexpr float BatHeadHalfWidth(int frame) { return 10.0f + 0.5f * static_cast<float>(frame); }
inline constexpr float kBatHeadHalfDepth = 2.5f;
// Low enough that the sight line to the middle of a simple ball touching
// the bar passes over it: more than half of every ball at the head shows.
inline constexpr float kBatHeadHeight = 5.0f;
// The ball manager moves the head's box 3 towards the player for the balls:
// the bar's front face stands there. In front of it a plate lies on the
// field, under the balls, to the box's front.
inline constexpr float kBatBarFront = kBatHeadHalfDepth - 3.0f;
inline constexpr float kBatApronHeight = 0.3f;
// The ends of the head are this wide; the bar between them is cut in five.
inline constexpr float kBatEndWidth = 3.0f;
inline constexpr int kBatBarPieces = 5;

// The body's nose leans on the bar's back under the rotor, with a short
// wing on either side; the cabin over the rotor's back half, borne on a
// block behind the rotor's reach, carries the gun seat.
inline constexpr float kBatNoseHalfWidth = 3.0f;
inline constexpr float kBatNoseBack = -4.8f;
inline constexpr float kBatNoseTop = 5.8f;
inline constexpr float kBatWingTip = 5.5f;
inline constexpr float kBatWingBack = -3.6f;
inline constexpr float kBatWingBottom = 4.2f;
inline constexpr float kBatWingTop = kBatNoseTop;
inline constexpr float kBatCabinHalfWidth = 2.2f;
inline constexpr float kBatCabinBack = -8.0f;
inline constexpr float kBatCabinBottom = 6.5f;
inline constexpr float kBatCabinTop = 11.0f;

// The game catches bonuses with the head's box and the body's together. The
// body's box reaches back to y -9: a bonus that fell past the head is still
// caught from the side until it is that far back. Two runners on the field
// behind the head carry it there, under the view's lower edge, where they
// hide nothing. The body stays within x +-8, so that rolled its box reaches
// no further aside than the shortest head.
inline constexpr float kBatBodyBack = -9.0f;
inline constexpr float kBatRunnerInner = 6.5f;
inline constexpr float kBatRunnerOuter = 8.0f;
inline constexpr float kBatRunnerHeight = 1.0f;

// The rotor turns on a mast over the nose, under the cabin, its blades
// sweeping over the bar's back half and out beside the cabin and the gun;
// the body and the screw roll about its hub's height.
inline constexpr float kBatScrewY = -4.0f;
inline constexpr float kBatScrewZ = 6.2f;
inline constexpr float kBatBladeReach = 2.6f;

// Where the guns are modelled to sit: on the cabin, behind the rotor, their
// arms at the front and their stock short, so that even rolled the whole
// gun stays inside the wedge.
inline constexpr float kBatGunSeatZ = kBatCabinTop;
inline constexpr float kBatGunFront = -4.6f;
inline constexpr float kBatGunBack = -5.4f;

} // namespace Tools
