#pragma once

#include "viewkit/FragmentStackView.h"

#include "platform/ui/Window.h"

#include <memory>
#include <optional>
#include <string>

// What both gallery windows are built and reported with.

// A titled window at `topLeft` (screen, y up) whose content is the application's background
// with a column of fragments pinned to its top; the column is answered.
std::shared_ptr<ostrel::FragmentStackView> makeFragmentWindow(std::shared_ptr<ui::Window>& window, const std::string& title,
    ui::Point topLeft, double width, double height);

// A fragment of the given content, installed at the end of the stack.
template<typename T>
std::shared_ptr<T> appended(ostrel::FragmentStackView& stack, std::shared_ptr<T> fragment)
{
    stack.addArrangedSubview(fragment);
    fragment->install(std::static_pointer_cast<ostrel::FragmentStackView>(stack.shared_from_this()));
    return fragment;
}

void fixedHeight(ui::View& view, double height);

// A point of the screen (y up) in X's root coordinates (y down from the top).
ui::Point onRoot(ui::Point screenPoint);
// Where a view is on X's root window; none for a view out of the window (a hidden section
// is taken out of the tree) or hidden.
std::optional<ui::Rect> rootRectOf(const ui::View& view);
