#pragma once

#include "mainwindow/MainWindow.h"

#include "platform/ui/Application.h"
#include "platform/ui/OffscreenBackend.h"

#include <filesystem>
#include <memory>

#include "platform/text/AttributedString.h"

#include <cstddef>

namespace bench {

// A pad page as people keep them, of at least `characters` characters: short paragraphs,
// a bold phrase, a link, and with `listItems` a bulleted item after each paragraph.
text::AttributedString padPage(std::size_t characters, bool listItems = false);


// The main window offscreen in a home of its own (under the temporary folder, kept between
// runs), with the program's settings, fonts and resources, as start-up gives them.
class BenchWindow {
public:
    explicit BenchWindow(const std::string& homeName);
    ~BenchWindow();

    ostrel::MainWindow& mainWindow() { return *m_mainWindow; }
    ui::Window& window() { return m_mainWindow->window(); }
    ui::OffscreenBackend& backend() { return *m_backend; }
    const std::filesystem::path& home() const { return m_home; }
    // The main window made and showing its (empty) screen.
    void open();
    // Runs the main loop briefly, for work other threads handed over.
    static void turn();

private:
    std::filesystem::path m_home;
    ui::OffscreenBackend* m_backend { nullptr };
    std::unique_ptr<ui::Application> m_app;
    std::shared_ptr<ostrel::MainWindow> m_mainWindow;
};

}
