#include "Looks.h"

#include <algorithm>

namespace ostrel::acceptance::looks {

namespace {

constexpr gfx::Color kSliderFill = kAccent;
constexpr gfx::Color kSliderTrack = gfx::Color::rgb(30 / 255.0, 30 / 255.0, 33 / 255.0);

// The title band: below the window's own bar, left of the options button.
Box titleBand(const Screenshot& window) { return { 0, 34, std::min(window.width(), 300), 30 }; }

}

int titlePixels(const Screenshot& mainWindow, const gfx::Color& colour)
{
    return mainWindow.count(titleBand(mainWindow), colour, 0.04);
}

bool showsScreen(const Screenshot& mainWindow, const gfx::Color& colour)
{
    // The title's letters and icon: a couple of hundred pixels at the least.
    return titlePixels(mainWindow, colour) > 100;
}

std::optional<double> sliderPosition(const Screenshot& mainWindow)
{
    int bestRow = -1, bestFill = 0;
    for (int y = 0; y < mainWindow.height(); ++y) {
        int fill = mainWindow.count({ 0, y, mainWindow.width(), 1 }, kSliderFill, 0.02);
        int track = mainWindow.count({ 0, y, mainWindow.width(), 1 }, kSliderTrack, 0.02);
        // A row of the slider holds a long run of fill, track or both.
        if (fill + track > 100 && fill + track > bestFill) {
            bestFill = fill + track;
            bestRow = y;
        }
    }
    if (bestRow < 0)
        return std::nullopt;
    Box row { 0, bestRow, mainWindow.width(), 1 };
    double fill = mainWindow.count(row, kSliderFill, 0.02);
    double track = mainWindow.count(row, kSliderTrack, 0.02);
    return fill / (fill + track);
}

Box statusStripBox(int screenWidth) { return { screenWidth - 220, 0, 220, 30 }; }

bool stripShowsTime(const Screenshot& strip)
{
    // Where the idle icon would not reach: the time's last digits.
    return lightPixels(strip, { strip.width() - 58, 0, 26, strip.height() }) > 20;
}

bool showsRestScreen(const Screenshot& screen)
{
    constexpr gfx::Color black = gfx::Color::rgb(0, 0, 0);
    int w = screen.width(), h = screen.height();
    for (Box corner : { Box { 0, 0, 80, 80 }, Box { 0, h - 80, 80, 80 }, Box { w - 80, h - 80, 80, 80 } }) {
        if (screen.count(corner, black, 0.01) != corner.width * corner.height)
            return false;
    }
    // The dial's outer ring alone is a band of some 25,000 pixels around the middle, and it
    // crosses the middle's column above it and its row left of it, where a main window
    // shown in the middle of a bare screen does not reach.
    return lightPixels(screen, { w / 2 - 320, h / 2 - 320, 640, 640 }) > 15000
        && lightPixels(screen, { w / 2 - 2, h / 2 - 320, 4, 60 }) > 8
        && lightPixels(screen, { w / 2 - 320, h / 2 - 2, 80, 4 }) > 8;
}

int lightPixels(const Screenshot& picture, const Box& box)
{
    int n = 0;
    for (int y = box.y; y < box.y + box.height; ++y) {
        for (int x = box.x; x < box.x + box.width; ++x) {
            auto pixel = picture.at(x, y);
            n += pixel.red + pixel.green + pixel.blue > 1.8;
        }
    }
    return n;
}

}
