#pragma once

// What the roads read off the program's pictures: which screen shows by the colour of its
// title, where a duration slider stands, whether a strip of text is there at all.
#include "tests/acceptance/driver/Screenshot.h"

#include "platform/gfx/Color.h"

#include <optional>

namespace ostrel::acceptance::looks {

// Each screen's title and icon are drawn in the colour of its kind.
inline constexpr gfx::Color kDefineColour = gfx::Color::rgb(204 / 255.0, 186 / 255.0, 104 / 255.0);
inline constexpr gfx::Color kWelcomeAndRatingColour = gfx::Color::rgb(0, 221 / 255.0, 1);
inline constexpr gfx::Color kBreakColour = gfx::Color::rgb(40 / 255.0, 204 / 255.0, 65 / 255.0);

// The desktop's accent: a highlighted menu item, a slider's fill, a checked box.
inline constexpr gfx::Color kAccent = gfx::Color::rgb(33 / 255.0, 107 / 255.0, 225 / 255.0);

// Where an open pad starts in the main window, past the screen's column, at scale 1.
inline constexpr int kPadLeft = 450;

// Pixels of that colour in the screen title's band at the top left of the main window.
int titlePixels(const Screenshot& mainWindow, const gfx::Color& colour);
// Whether the main window shows the screen whose title has that colour.
bool showsScreen(const Screenshot& mainWindow, const gfx::Color& colour);

// How far along its track the main window's duration slider stands, 0 at the left end and 1
// at the right: the blue fill's share of the row that holds most of it. None without one.
std::optional<double> sliderPosition(const Screenshot& mainWindow);
// Where the define screen's slider stands for a duration, on a time scale of `longest`
// minutes: sliders start at 2 minutes.
inline double sliderPositionFor(double minutes, double longest = 60) { return (minutes - 2) / (longest - 2); }

// The status strip at the top right of the screen, where no tray shows the status item: a
// box over it, and whether it shows a time beside the icon. The icon alone stands at the
// strip's right end; a time pushes it left and takes its place.
Box statusStripBox(int screenWidth);
bool stripShowsTime(const Screenshot& strip);

// The rest screen over the whole screen: black to its corners, the break's dial and title
// in white and grey in its middle.
bool showsRestScreen(const Screenshot& screen);

// Pixels clearly lighter than the dark background: text drawn in a light colour.
int lightPixels(const Screenshot& picture, const Box& box);

}
