#include "Demo.h"

#include "mainwindow/LogBookTableViewController.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowController.h"
#include "mainwindow/MainWindowHooks.h"
#include "mainwindow/NowAndLaterBoardTextView.h"
#include "mainwindow/PadTable.h"
#include "mainwindow/PadViewController.h"

#include "command/KeyComboRecorderView.h"
#include "core/DataModel.h"
#include "core/ValueTransformers.h"
#include "log/FullDataSet.h"
#include "log/LogFileManager.h"
#include "log/Logger.h"
#include "log/StringToTokenArrayTransformer.h"
#include "shell/DefaultSettings.h"
#include "shell/OmniFocusHelper.h"
#include "viewkit/HideableFragmentWall.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/StandardLabel.h"
#include "viewkit/Wall.h"

#include "platform/base/Defaults.h"
#include "platform/base/RunLoop.h"
#include "platform/base/Time.h"
#include "platform/ui/Button.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextView.h"
#include "platform/ui/Window.h"

#include <cmath>
#include <cstdio>
#include <optional>

using namespace ostrel;

namespace {

// A point of the screen (y up) in X's root coordinates (y down from the top).
ui::Point onRoot(ui::Point screenPoint)
{
    auto screens = ui::Screen::screens();
    double top = screens.empty() ? 0 : screens.front().frame.maxY();
    return { std::round(screenPoint.x), std::round(top - screenPoint.y) };
}

// A view out of the window (a closed pad is taken out of the tree) has no place.
std::optional<ui::Rect> rootRectOf(const ui::View* view)
{
    if (!view || !view->window() || view->isHiddenOrHasHiddenAncestor())
        return std::nullopt;
    ui::Rect inWindow = view->convertRectTo(view->bounds(), nullptr);
    ui::Point bottomLeft = view->window()->convertPointToScreen(inWindow.origin);
    ui::Point topLeft = onRoot({ bottomLeft.x, bottomLeft.y + inWindow.height() });
    return ui::Rect(topLeft.x, topLeft.y, std::round(inWindow.width()), std::round(inWindow.height()));
}

const ui::Button* buttonTitled(ui::View& root, const std::string& title)
{
    for (auto* view : root.subtree()) {
        auto* button = dynamic_cast<const ui::Button*>(view);
        if (button && button->title() == title && !button->isHiddenOrHasHiddenAncestor() && button->window())
            return button;
    }
    return nullptr;
}

std::string escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else
            out += c;
    }
    return out;
}

void log(const std::string& what) { std::fprintf(stderr, "demo: %s\n", what.c_str()); }

// A pad's place holder: its title and what will fill it.
std::shared_ptr<NiblessViewController> notice(const std::string& title, const std::string& text)
{
    auto controller = NiblessViewController::create([] { });
    auto wall = Wall::create();
    auto heading = standardLabel(title);
    heading->setFont(gfx::Font::system(15, gfx::FontWeight::bold));
    // Wrapped at the pad's width.
    auto body = ui::TextView::create();
    body->setEditable(false);
    body->setSelectable(false);
    body->setDrawsBackground(false);
    body->setDefaults({ gfx::Font::system(13), gfx::Color::white(0.8, 1.0) });
    body->setAttributedString(text::AttributedString::fromUtf8(text));
    body->setTranslatesAutoresizingMaskIntoConstraints(false);
    using A = ui::LayoutAttribute;
    wall->factory().internalAddBrick(heading, [](LayoutConstraintMaker& maker) { maker.container().pin(A::Left, A::Left, 16).pin(A::Top, A::Top, 48); });
    wall->factory().internalAddBrick(body, [heading](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Left, A::Left, 16).pin(A::Right, A::Right, -16);
        maker.and_(*heading).pin(A::Top, A::Bottom, 10);
        maker.height(120);
    });
    controller->setView(wall);
    return controller;
}

}

Demo::Demo()
{
    prepareDefaults();
    DataModel::shared().prepare();
    ValueTransformer::setValueTransformer(std::make_shared<StringToTokenArrayTransformer>(), "StringToTokenArrayTransformer");
    Logger::sharedLogger().updateLogFileDescriptors();

    auto& hooks = MainWindowHooks::shared();
    hooks.showHelpPage = [](const std::string& page) { log("help page " + page); };
    hooks.parseOmniFocusTask = [](std::string_view xml) -> std::optional<OmniFocusTask> {
        auto task = OmniFocusHelper::parseTaskInfo(xml);
        if (!task)
            return std::nullopt;
        return OmniFocusTask { task->estimatedMinutesAsInt(), task->contextNames() };
    };

    // What the program gives these two pads is built elsewhere: the demo says so in them.
    hooks.makeStatsController = [] {
        return notice("Statistics", "The statistics of the log (this week, by hour of the day, by day of the week) show here "
                                    "as chart pages once the program gives the main window its statistics view.");
    };
    hooks.makeHelpController = [] {
        return notice("Help", "The help pages (welcome, the typing shortcuts of the pads, breaks) show here once the "
                              "program gives the main window its help view.");
    };

    m_screen = std::make_unique<DemoScreen>();
    m_mainWindow = MainWindow::makeMainWindow();
    m_environment = std::make_unique<DemoEnvironment>(m_mainWindow);
    m_commandPopUp = std::make_unique<DemoCommandPopUp>(*m_environment, *m_mainWindow);
    // As the shell does: a pad opening or closing compresses the window.
    std::weak_ptr<MainWindowController> controller = m_mainWindow->controller();
    for (const auto& key : MainWindowController::padStorageKeyPaths()) {
        m_compressors.push_back(KVOResponder::create(key, base::Defaults::standard(), false, [controller](base::Defaults&, const std::string&) {
            if (auto shown = controller.lock())
                shown->compressWindow();
        }));
    }
    // As start-up does: the log read, and the log folder watched from then on, so that a day
    // file copied or synced into it reaches the log book.
    LogFileManager::sharedInstance().update();
    LogFileManager::sharedInstance().monitor().start();
}

Demo::~Demo()
{
    if (m_reporter)
        m_reporter->invalidate();
}

void Demo::show()
{
    m_mainWindow->window().makeKeyAndOrderFront();
    m_mainWindow->controller()->showState(*m_screen);
    m_mainWindow->controller()->setIgnoreMovementUpdates(false);
    m_commandPopUp->showRecorderWindow();
}

void Demo::addSampleEntries()
{
    struct Sample {
        const char* objective;
        const char* link;
        const char* tags;
        const char* focus;
        double minutes;
        double hoursAgo;
    };
    const Sample samples[] = {
        { "Write the quarterly report's introduction and send it to Anna", nullptr, "writing,work", "highly focused", 25, 1 },
        { "Read the design notes ", "https://example.org/notes", "reading", "experienced flow", 45, 3 },
        { "Answer the mail", nullptr, "", "distracted", 15, 5 },
    };
    auto descriptor = Logger::sharedLogger().systemLogBackingStoreDesc();
    if (!descriptor)
        return;
    double now = base::Time::now();
    int number = 0;
    for (const auto& sample : samples) {
        FullTimeSlice record;
        text::AttributedString objective = text::AttributedString::fromUtf8(sample.objective);
        if (sample.link) {
            text::Attributes linked;
            linked.link = sample.link;
            objective.append(u"(notes)", linked);
        }
        record.setObjectiveText(objective);
        record.setUuid("demo-" + std::to_string(++number));
        record.setTagString(sample.tags);
        record.setFocusRating(sample.focus);
        record.setDuration(sample.minutes * 60);
        record.setActualDuration(sample.minutes * 60);
        record.setStartDate(now - sample.hoursAgo * 3600);
        std::string path = descriptor->getPathToFileForDate(record.startDate());
        LogFileManager::sharedInstance().createOrRetrieveLogFile(path)->addOrReplaceThenSaveAndUpdate(record, record.uuid());
    }
}

void Demo::loadLog()
{
    auto& manager = LogFileManager::sharedInstance();
    manager.internalAyncUpdate();
    auto& logBook = *m_mainWindow->controller()->logBookTableViewController();
    double deadline = base::Time::now() + 5;
    while (base::Time::now() < deadline) {
        base::RunLoop::main().runUntil(base::Time::now() + 0.05);
        auto set = manager.currentFullDataSet();
        if (set && logBook.dataSet().size() == set->timeSlices().size())
            return;
    }
}

std::string Demo::positions()
{
    auto& window = m_mainWindow->window();
    window.layoutIfNeeded();
    auto& controller = *m_mainWindow->controller();
    std::string report;
    auto add = [&report](const std::string& name, const std::optional<ui::Rect>& placed) {
        if (!placed)
            return;
        char line[200];
        std::snprintf(line, sizeof line, "%s %g %g %g %g\n", name.c_str(), placed->minX(), placed->minY(), placed->width(), placed->height());
        report += line;
    };
    add("window", rootRectOf(window.contentView()));
    add("titleStrip", rootRectOf(window.contentView()->viewWithIdentifier("custom title bar")));
    add("commandButton", rootRectOf(controller.commandButton().get()));
    if (!controller.padSelectorOnMainWall()->isHidden()) {
        auto* stack = controller.padSelectorOnMainWall()->subviews().front().get();
        for (std::size_t i = 0; i < stack->subviews().size(); ++i)
            add("selector." + std::to_string(i), rootRectOf(stack->subviews()[i].get()));
    }
    std::string open;
    for (std::size_t pad = 0; pad < PadTable::kCount; ++pad) {
        auto& fragment = controller.padFragmentWall(pad);
        if (!fragment->window())
            continue;
        open += std::string(" ") + PadTable::pad(pad).title;
        auto* embedded = fragment->viewWithIdentifier("embeddedWall");
        if (embedded && !embedded->subviews().empty()) {
            const auto& holders = embedded->subviews().front()->subviews();
            for (std::size_t i = 0; i < holders.size(); ++i)
                add("row." + std::to_string(i), rootRectOf(holders[i].get()));
        }
    }
    report += "open" + open + "\n";
    auto now = controller.nowPadController()->textView();
    add("nowText", rootRectOf(now->superview()));
    report += "nowPage " + escaped(now->string()) + "\n";
    if (auto page = controller.nowPadController()->backingStoreDescriptor()->index().selectedID())
        report += "nowFile " + *page + "\n";
    add("addEntry", rootRectOf(controller.addLogEntryButton().get()));
    if (auto* save = buttonTitled(*window.contentView(), "Save"))
        add("save", rootRectOf(save));
    report += "logRows " + std::to_string(controller.logBookTableViewController()->dataSet().size()) + "\n";
    add("recorder", rootRectOf(m_commandPopUp->recorder()));
    report += m_commandPopUp->state() + "\n";
    return report;
}

void Demo::reportPositions()
{
    m_reporter = base::Timer::create(0.05, true, base::RunLoop::Mode::Common, [this](base::Timer&) {
        if (auto now = positions(); now != m_lastPositions) {
            m_lastPositions = now;
            std::fputs((now + "--\n").c_str(), stdout);
            std::fflush(stdout);
        }
    });
}
