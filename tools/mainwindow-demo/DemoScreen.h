#pragma once

#include "mainwindow/ShownState.h"

#include <memory>

namespace ostrel {
class ObjectiveTextView;
class Wall;
}

// A stand-in for the define screen: a title, the objective field with its bordered
// background, and a "Start" button that only logs.
class DemoScreen final : public ostrel::ShownState {
public:
    DemoScreen();

    std::shared_ptr<ostrel::Wall> infoWall() override { return m_infoWall; }
    std::shared_ptr<ostrel::Wall> buttonWall() override { return m_buttonWall; }
    std::shared_ptr<ui::View> firstResponder() override;

private:
    std::shared_ptr<ostrel::Wall> m_infoWall;
    std::shared_ptr<ostrel::Wall> m_buttonWall;
    std::shared_ptr<ostrel::ObjectiveTextView> m_objective;
};
