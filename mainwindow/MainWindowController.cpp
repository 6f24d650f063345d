#include "mainwindow/MainWindowController.h"

#include "mainwindow/LogBookTableViewController.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/MainWindowHooks.h"
#include "mainwindow/MainWindowPlacement.h"
#include "mainwindow/PadIcons.h"
#include "mainwindow/NowAndLaterBoardManager.h"
#include "mainwindow/PadTable.h"
#include "mainwindow/PadViewController.h"
#include "mainwindow/PadViewControllerBuilder.h"
#include "mainwindow/ShownState.h"
#include "mainwindow/StatsViewController.h"

#include "core/DataModel.h"
#include "core/KVOResponder.h"
#include "core/ZrLog.h"
#include "drawing/OstrelStyleKit.h"
#include "viewkit/FragmentStackView.h"
#include "viewkit/HideableFragmentWall.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/Wall.h"

#include "platform/base/Defaults.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/Path.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TemplateImages.h"
#include "platform/ui/View.h"

#include <cmath>
#include <iostream>
#include <optional>
#include <utility>

namespace ostrel {

namespace {

using A = ui::LayoutAttribute;
using R = ui::LayoutRelation;

void add(ui::View& owner, ui::View* a, A aa, R relation, ui::View* b, A ba, double constant)
{
    owner.addConstraint(ui::Constraint::create(a, aa, relation, b, ba, 1, constant));
}

// An empty controller for a pad whose own is built elsewhere and not given yet.
std::shared_ptr<NiblessViewController> placeholderController()
{
    return NiblessViewController::create([] { });
}

}

const std::vector<std::string>& MainWindowController::padStorageKeyPaths()
{
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> made;
        for (const auto& pad : PadTable::pads())
            made.emplace_back(pad.hiddenKey);
        return made;
    }();
    return keys;
}

MainWindowController::MainWindowController(DataModel& model)
    : m_model(&model)
{
}

const std::shared_ptr<HideableFragmentWall>& MainWindowController::padFragmentWall(std::size_t index) const
{
    switch (index) {
    case PadTable::kNow:
        return m_nowPadFragmentWall;
    case PadTable::kLater:
        return m_laterPadFragmentWall;
    case PadTable::kScratch:
        return m_scratchPadFragmentWall;
    case PadTable::kLogBook:
        return m_logBookPadFragmentWall;
    case PadTable::kStatistics:
        return m_statsPadFragmentWall;
    default:
        return m_helpPadFragmentWall;
    }
}

ui::Window* MainWindowController::platformWindow() const
{
    auto window = m_window.lock();
    return window ? window->platformWindow().get() : nullptr;
}

void MainWindowController::build()
{
    buildBackground();
    buildLeftColumn();
    buildPads();

    auto store = base::Defaults::standard();
    std::weak_ptr<MainWindowController> weakSelf = std::static_pointer_cast<MainWindowController>(shared_from_this());
    for (const auto& key : padStorageKeyPaths()) {
        m_kvoResponders.push_back(KVOResponder::create(key, store, false, [weakSelf](base::Defaults&, const std::string&) {
            if (auto self = weakSelf.lock())
                self->padKeysChanged();
        }));
    }
    m_padSelectorOnMainWall->setHidden(!areAllPadsClosed());
}

void MainWindowController::buildBackground()
{
    m_contentWall = Wall::create();
    m_contentWall->setIdentifier("contentWall");
    m_contentWall->setMouseDownCanMoveWindow(true);
    setView(m_contentWall);

    auto frameWall = Wall::create();
    frameWall->setMouseDownCanMoveWindow(true);
    frameWall->backgroundDrawingFunc = [](const ui::Rect& bounds) {
        auto& context = gfx::GraphicsContext::requireCurrent();
        context.save();
        gfx::Path::roundedRect(bounds, 5.0, 5.0).addClip();
        // The top 71 points bright, the rest dark; y runs up in the wall.
        context.setFillColor(OstrelStyleKit::brightFrame());
        context.fillRect(ui::Rect(bounds.minX(), bounds.maxY() - 71.0, bounds.width(), 71.0));
        context.setFillColor(OstrelStyleKit::darkFrame());
        context.fillRect(ui::Rect(bounds.minX(), bounds.minY(), bounds.width(), std::max(0.0, bounds.height() - 71.0)));
        context.restore();
    };
    m_contentWall->factory().internalAddBrick(frameWall, [](LayoutConstraintMaker& maker) { maker.fillContainer(); });

    auto backgroundWall = Wall::create();
    backgroundWall->setMouseDownCanMoveWindow(true);
    backgroundWall->backgroundDrawingFunc = [](const ui::Rect& bounds) { OstrelStyleKit::drawBackground(bounds); };
    frameWall->factory().internalAddBrick(backgroundWall, [](LayoutConstraintMaker& maker) { maker.fillContainer(); });

    m_horizontalFragmentStackView = FragmentStackView::create(ui::Orientation::Horizontal);
    m_horizontalFragmentStackView->setAlignment(A::Top);
    m_horizontalFragmentStackView->setSpacing(0.0);
    m_horizontalFragmentStackView->setContentHuggingPriority(750, ui::Orientation::Horizontal);
    m_horizontalFragmentStackView->setMouseDownCanMoveWindow(true);
    backgroundWall->factory().internalAddBrick(m_horizontalFragmentStackView, [](LayoutConstraintMaker& maker) { maker.fillContainer(); });

    m_leftFragmentWall = FragmentWall::create();
    m_leftFragmentWall->setMouseDownCanMoveWindow(true);
    LayoutConstraintMaker width(*m_leftFragmentWall);
    width.width(kLeftColumnWidth);
    m_leftFragmentWall->addConstraints(width.constraints());
}

void MainWindowController::buildLeftColumn()
{
    auto& column = *m_leftFragmentWall;
    m_titleStrip = Wall::create();
    m_titleStrip->setIdentifier("custom title bar");
    m_titleStrip->setMouseDownCanMoveWindow(true);
    m_titleStrip->backgroundDrawingFunc = [](const ui::Rect&) {
        OstrelStyleKit::drawLogo(ui::Rect(0, 0, 187.0, 21.0), OstrelStyleKit::ResizingBehavior::aspectFit);
    };
    column.factory().internalAddBrick(m_titleStrip, [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Top, A::Top, 0).pin(A::CenterX, A::CenterX, 0);
        maker.height(28.0).width(187.0);
    });

    m_padSelectorOnMainWall = createPadSelector();
    auto title = m_titleStrip;
    column.factory().internalAddBrick(m_padSelectorOnMainWall, [title](LayoutConstraintMaker& maker) {
        maker.container().place(A::Right, A::Right);
        maker.and_(*title).pin(A::Top, A::Top, 8.0);
    });

    m_buttonWallContainer = Wall::create();
    m_buttonWallContainer->setIdentifier("buttonWallContainer");
    m_buttonWallContainer->setMouseDownCanMoveWindow(true);
    column.factory().internalAddBrick(m_buttonWallContainer, [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Bottom, A::Bottom, 0).pin(A::Right, A::Right, 0);
        maker.height(36.0).width(400.0);
    });

    std::weak_ptr<MainWindowController> weakSelf = std::static_pointer_cast<MainWindowController>(shared_from_this());
    m_commandButton = column.factory().pushButton("", [weakSelf] {
        auto self = weakSelf.lock();
        auto& run = MainWindowHooks::shared().runCommandPopUp;
        if (self && run)
            run(*self->m_commandButton);
    }, [](LayoutConstraintMaker& maker) { maker.container().place(A::Left, A::Left).place(A::Bottom, A::Bottom); });
    m_commandButton->setImage(OstrelStyleKit::imageOfCommandButtonIcon(gfx::colors::white));
    m_commandButton->setImagePosition(ui::ImagePosition::ImageOnly);
    DataModel* model = m_model;
    m_commandComboListener = m_model->showCommandPopOverCombo->addHotListener([weakSelf, model](const std::optional<KeyCombo>&) {
        if (auto self = weakSelf.lock())
            self->m_commandButton->setToolTip(commandButtonToolTip(*model));
    });

    m_infoWallContainer = Wall::create();
    m_infoWallContainer->setIdentifier("infoWallContainer");
    m_infoWallContainer->setMouseDownCanMoveWindow(true);
    buildInfoScrollView();
    auto buttons = m_buttonWallContainer;
    column.factory().internalAddBrick(m_infoScrollView, [title, buttons](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Left, A::Left, 0).pin(A::Right, A::Right, 0);
        maker.and_(*title).pin(A::Top, A::Bottom, 6.0);
        maker.append(ui::Constraint::create(&maker.subject(), A::Bottom, R::LessThanOrEqual, buttons.get(), A::Top, 1, 0));
    });

    auto info = m_infoScrollView;
    auto filler = column.factory().wall(std::nullopt, [info, buttons](LayoutConstraintMaker& maker) {
        maker.container().width(1.0);
        maker.and_(*info).pin(A::Top, A::Bottom, 0);
        maker.and_(*buttons).pin(A::Bottom, A::Top, 0);
    });
    filler->setMouseDownCanMoveWindow(true);
    filler->backgroundDrawingFunc = [](const ui::Rect& bounds) { OstrelStyleKit::drawInbetweenWall(bounds); };
}

void MainWindowController::buildInfoScrollView()
{
    // The screen shows whole wherever the display has room for it; where it has not (a small
    // or high-density display), the window is as tall as the work area and the screen
    // scrolls between the title and the buttons, which stay in reach.
    m_infoScrollView = ui::ScrollView::create();
    m_infoScrollView->setIdentifier("infoScrollView");
    m_infoScrollView->setDrawsBackground(false);
    m_infoScrollView->setHasVerticalScroller(true);
    m_infoScrollView->setAutohidesScrollers(true);
    m_infoScrollView->setMouseDownCanMoveWindow(true);
    auto clip = ui::ClipView::create(true);
    clip->setMouseDownCanMoveWindow(true);
    clip->setTranslatesAutoresizingMaskIntoConstraints(false);
    m_infoScrollView->setContentView(clip);
    m_infoWallContainer->setTranslatesAutoresizingMaskIntoConstraints(false);
    m_infoScrollView->setDocumentView(m_infoWallContainer);
    auto& scroll = *m_infoScrollView;
    auto& document = *m_infoWallContainer;
    for (A edge : { A::Left, A::Right, A::Top, A::Bottom })
        add(scroll, clip.get(), edge, R::Equal, &scroll, edge, 0);
    for (A edge : { A::Left, A::Right, A::Top })
        add(scroll, &document, edge, R::Equal, clip.get(), edge, 0);
    add(scroll, &scroll, A::Height, R::LessThanOrEqual, &document, A::Height, 0);
    // Below every wish of the screen's own (a low-priority pin is 250): a window shorter than
    // the screen gives up showing it whole, never the screen's layout.
    auto whole = ui::Constraint::create(&scroll, A::Height, R::Equal, &document, A::Height, 1, 0);
    whole->setPriority(200);
    scroll.addConstraint(whole);
}

void MainWindowController::buildPads()
{
    auto& pads = PadTable::pads();
    std::vector<std::shared_ptr<HideableFragmentWall>*> slots { &m_nowPadFragmentWall, &m_laterPadFragmentWall,
        &m_scratchPadFragmentWall, &m_logBookPadFragmentWall, &m_statsPadFragmentWall, &m_helpPadFragmentWall };
    for (std::size_t index = 0; index < pads.size(); ++index)
        *slots[index] = createBlankPadFragmentWall(pads[index].hiddenKey, index);

    auto& stack = *m_horizontalFragmentStackView;
    stack.addFragment(m_leftFragmentWall);
    for (auto* slot : slots)
        stack.addFragment(*slot);
    add(stack, m_leftFragmentWall.get(), A::Height, R::Equal, &stack, A::Height, 0);
    // Held by each pad itself, so that the height comes back with a pad that was closed.
    for (auto* slot : slots)
        add(**slot, slot->get(), A::Height, R::Equal, m_leftFragmentWall.get(), A::Height, 0);

    auto& manager = NowAndLaterBoardManager::sharedManager();
    m_nowPadController = PadViewControllerBuilder::build(pads[PadTable::kNow].colorKey, manager.nowStoreDesc());
    m_laterPadController = PadViewControllerBuilder::build(pads[PadTable::kLater].colorKey, manager.laterStoreDesc());
    m_scratchPadController = PadViewControllerBuilder::build(pads[PadTable::kScratch].colorKey, manager.scratchStoreDesc());
    fillPad(*m_nowPadFragmentWall, m_nowPadController->view(), 0);
    fillPad(*m_laterPadFragmentWall, m_laterPadController->view(), 0);
    fillPad(*m_scratchPadFragmentWall, m_scratchPadController->view(), 0);

    m_logBookTableViewController = NiblessViewController::create<LogBookTableViewController>(false);
    fillPad(*m_logBookPadFragmentWall, m_logBookTableViewController->view(), 37.0);
    std::weak_ptr<LogBookTableViewController> weakLogBook = m_logBookTableViewController;
    m_addLogEntryButton = m_logBookPadFragmentWall->factory().pushButton("", [weakLogBook] {
        if (auto logBook = weakLogBook.lock())
            logBook->startNewLogEntry();
    }, [](LayoutConstraintMaker& maker) { maker.container().pin(A::Top, A::Top, 10.0).pin(A::Right, A::Right, -10.0); });
    m_addLogEntryButton->setControlSize(ui::ControlSize::Small);
    m_addLogEntryButton->setFont(gfx::Font::system(gfx::Font::smallSystemFontSize));
    m_addLogEntryButton->setImage(ui::TemplateImages::add());
    m_addLogEntryButton->setImagePosition(ui::ImagePosition::ImageOnly);
    m_addLogEntryButton->setToolTip("Add Log Book Entry");
    m_logBookTableViewController->setAddLogEntryButton(m_addLogEntryButton);

    auto& hooks = MainWindowHooks::shared();
    m_statsController = hooks.makeStatsController ? hooks.makeStatsController()
                                                  : NiblessViewController::create<StatsViewController>(false, *m_model);
    m_helpController = hooks.makeHelpController ? hooks.makeHelpController() : placeholderController();
    for (auto [controller, fragment] : { std::pair { m_statsController, m_statsPadFragmentWall }, std::pair { m_helpController, m_helpPadFragmentWall } }) {
        if (!controller->view())
            controller->build();
        fillPad(*fragment, controller->view() ? controller->view() : Wall::create(), 0);
    }
}

void MainWindowController::fillPad(HideableFragmentWall& fragment, const std::shared_ptr<ui::View>& view, double top)
{
    // Under the pad's selector row, which must stay within reach of the pointer.
    view->removeFromSuperview();
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    fragment.insertSubview(view, 0);
    LayoutConstraintMaker maker(*view);
    maker.container().pin(A::Top, A::Top, top).pin(A::Left, A::Left, 0).pin(A::Right, A::Right, 0).pin(A::Bottom, A::Bottom, 0);
    fragment.addConstraints(maker.constraints());
}

std::vector<std::string> MainWindowController::saveEverything()
{
    auto unsaved = PadViewController::saveAllPads();
    if (m_logBookTableViewController && !m_logBookTableViewController->saveOpenEditor())
        unsaved.push_back(PadTable::pad(PadTable::kLogBook).title);
    for (const auto& title : unsaved)
        zr_log("could not save %s before quitting", title.c_str());
    return unsaved;
}

void MainWindowController::padKeysChanged()
{
    if (m_padSelectorOnMainWall)
        m_padSelectorOnMainWall->setHidden(!areAllPadsClosed());
    auto* window = platformWindow();
    std::optional<ui::Rect> before = window ? std::optional(window->frame()) : std::nullopt;
    arrangeColumnAndPad();
    fitWindowToContent();
    if (before && !m_pushedAside && window->frame().width() > before->width() && window->frame().minX() < before->minX() - 0.5)
        m_pushedAside = Push { before->minX(), window->frame().minX() };
    comeBackWhereItWasLeft();
}

void MainWindowController::comeBackWhereItWasLeft()
{
    auto* window = platformWindow();
    if (!m_pushedAside || !window || window->isZoomed())
        return;
    ui::Rect frame = window->frame();
    ui::Rect back(m_pushedAside->leftAt, frame.minY(), frame.width(), frame.height());
    if (window->constrainFrameRect(back) != back)
        return;
    m_pushedAside.reset();
    window->setFrameOrigin(back.origin);
}

bool MainWindowController::isColumnShown() const
{
    return m_horizontalFragmentStackView
        && m_horizontalFragmentStackView->visibilityPriority(m_leftFragmentWall.get()) > ui::VisibilityPriority::NotVisible;
}

ui::View* MainWindowController::commandPopUpAnchor() const
{
    if (isColumnShown())
        return m_commandButton.get();
    return m_contentWall.get();
}

void MainWindowController::arrangeColumnAndPad()
{
    auto* window = platformWindow();
    if (!window || !m_horizontalFragmentStackView)
        return;
    bool padInstead = !areAllPadsClosed()
        && MainWindowPlacement::tooNarrowForColumnAndPad(window->frame(), kLeftColumnWidth, kPadMinimumWidth);
    auto& stack = *m_horizontalFragmentStackView;
    if (padInstead != isColumnShown())
        return;
    // Without the column under it, the window's menu title sits over the pad's selector.
    for (const auto& leading : m_padSelectorLeadings)
        leading->setConstant(padInstead ? kPadSelectorInsetBesideMenu : kPadSelectorInset);
    if (!padInstead) {
        stack.showFragment(*m_leftFragmentWall);
        // The column back (the pad that took its place closed): the keyboard, put away with
        // it, goes back to the screen's field rather than staying on nothing.
        auto screenField = m_screenFirstResponder.lock();
        if (screenField && window->firstResponder() == window)
            window->giveKeyboardTo(screenField.get());
        return;
    }
    // Keys typed into a field of the hidden column would land nowhere.
    auto* responder = dynamic_cast<ui::View*>(window->firstResponder());
    if (responder && responder->isDescendantOf(m_leftFragmentWall.get()))
        window->makeFirstResponder(window);
    stack.hideFragment(*m_leftFragmentWall);
}

std::string MainWindowController::commandButtonToolTip(DataModel& model)
{
    auto combo = model.showCommandPopOverCombo->value();
    if (!combo)
        return "Bring up the command interface (no keyboard shorcut set)";
    std::string key = combo->key() ? combo->key()->description() : std::string();
    return "Press " + modifierSymbols(combo->modifiers()) + key + " to bring up the command interface";
}

void MainWindowController::showState(ShownState& state)
{
    // A window as tall as the screen leaving needed was sized by that screen: the next one
    // shows at its own height, a pad open or not (a define screen after a break kept the
    // break's tall window with empty space below). A height the user gave it stays.
    std::optional<double> fittedTop;
    bool anyPadOpen = !areAllPadsClosed();
    if (auto* window = platformWindow(); window && m_initialPositionAlreadyGiven) {
        // Maximized, the height that counts is the one the window manager will give back.
        ui::Rect held = window->isZoomed() ? window->unzoomedFrame() : window->frame();
        double own = MainWindowPlacement::screensOwnHeight(window->contentMinSize().height, anyPadOpen, kOpenPadMinimumHeight);
        // A screen taller than the work area holds showed as tall as the work area let it.
        double ownAsHeld = window->constrainFrameRect(ui::Rect(held.origin, ui::Size(held.width(), own))).height();
        double height = held.height();
        bool fitted = std::fabs(height - own) < 0.5 || std::fabs(height - ownAsHeld) < 0.5;
        if (!window->isZoomed()) {
            m_ownHeightOwedAtHeight.reset();
            if (fitted)
                fittedTop = window->frame().maxY();
        } else if (fitted) {
            m_ownHeightOwedAtHeight = height;
        }
    }
    for (auto* container : { m_buttonWallContainer.get(), m_infoWallContainer.get() }) {
        auto subviews = container->subviews();
        for (const auto& subview : subviews)
            subview->removeFromSuperview();
    }
    if (auto buttons = state.buttonWall()) {
        m_buttonWallContainer->factory().internalAddBrick(buttons, [](LayoutConstraintMaker& maker) {
            maker.container().place(A::Right, A::Right).pin(A::CenterY, A::CenterY, 0);
        });
    }
    if (auto info = state.infoWall())
        m_infoWallContainer->factory().internalAddBrick(info, [](LayoutConstraintMaker& maker) { maker.fillContainer(); });

    auto* window = platformWindow();
    if (!window)
        return;
    bool firstShown = !m_initialPositionAlreadyGiven;
    if (firstShown) {
        fitWindowToContent();
        auto store = base::Defaults::standard();
        double x = store->real("topLeftX");
        double y = store->real("topLeftY");
        std::cout << "MainWindow view will appear: " << x << "," << y << std::endl;
        auto stored = MainWindowPlacement::storedTopLeft(x, y, true);
        auto place = stored ? stored : MainWindowPlacement::defaultPosition(window->frame().size);
        if (place)
            window->setFrameTopLeftPoint(*place);
        m_initialPositionAlreadyGiven = true;
    } else {
        window->recalculateKeyViewLoop();
    }
    m_screenFirstResponder = state.firstResponder();
    // Brought by a key (Return on "Log"), the screen shows where the next key goes.
    if (auto first = state.firstResponder())
        window->giveKeyboardTo(first.get());
    // A pad left open at the last quit, on a display that has no room beside the column.
    arrangeColumnAndPad();
    compressWindow();
    if (fittedTop && !window->isZoomed()) {
        double height = MainWindowPlacement::screensOwnHeight(window->contentMinSize().height, anyPadOpen, kOpenPadMinimumHeight);
        ui::Rect frame = window->frame();
        if (std::fabs(frame.height() - height) >= 0.5)
            setScreenFrame(*window, ui::Rect(frame.minX(), *fittedTop - height, frame.width(), height));
    }
    // The first time, laid out once at its final size: a layout moves the scroll views'
    // documents, after which the content's least size would be solved again to compress it.
    if (firstShown)
        window->recalculateKeyViewLoop();
}

void MainWindowController::showPad(const std::string& storageKey) { setPadOpen(storageKey, true); }

void MainWindowController::setPadOpen(const std::string& storageKey, bool open)
{
    // The others close first: shown beside it for a moment, the window grew to hold both,
    // and a maximized window was taken out of maximized for it.
    auto store = base::Defaults::standard();
    // Its height, which the user may have given it, goes to the pad taking the place.
    bool switching = open && !areAllPadsClosed();
    bool was = std::exchange(m_switchingPads, switching);
    auto* window = platformWindow();
    std::optional<ui::Rect> before = window && switching ? std::optional(window->frame()) : std::nullopt;
    bool pushedAside = m_pushedAside.has_value();
    hideAllPadsExcept(storageKey);
    store->set(storageKey, !open);
    store->synchronize();
    m_switchingPads = was;
    // For the moment between the two pads the column alone is wider than a pad and pushed the
    // window aside to keep it on the screen, and fitted it to the column's height: the new pad
    // fits where the window was, so the window stays there, as high as the user left it (or
    // where it came back to, pushed aside before).
    if (before && !window->isZoomed()) {
        ui::Rect after = window->frame();
        bool cameBack = pushedAside && !m_pushedAside;
        ui::Rect kept(cameBack ? after.minX() : before->minX(), before->minY(), after.width(), before->height());
        if (after != kept && after.width() <= before->width() && before->height() >= window->contentMinSize().height)
            window->setFrame(kept, window->isVisible());
    }
}

void MainWindowController::hideAllPadsExcept(const std::string& storageKey)
{
    auto store = base::Defaults::standard();
    for (const auto& key : padStorageKeyPaths()) {
        if (key == storageKey || store->boolean(key))
            continue;
        store->set(key, true);
        store->synchronize();
    }
}

void MainWindowController::showCurrentWeekStatisticsPad()
{
    showPad("statsPadHidden");
    auto store = base::Defaults::standard();
    store->set("currentlyDisplayedStatistic", 0);
    store->synchronize();
}

bool MainWindowController::areAllPadsClosed() const
{
    auto store = base::Defaults::standard();
    for (const auto& key : padStorageKeyPaths()) {
        if (!store->boolean(key))
            return false;
    }
    return true;
}

bool MainWindowController::isPadSectionVisible() const
{
    auto store = base::Defaults::standard();
    for (const auto& key : padStorageKeyPaths()) {
        if (store->boolean(key))
            return true;
    }
    return false;
}

void MainWindowController::padButtonPressed(std::size_t index)
{
    auto store = base::Defaults::standard();
    const std::string key = PadTable::pad(index).hiddenKey;
    bool closed = store->boolean(key);
    setPadOpen(key, closed);
    keepKeyboardAfterPadButton(index, closed);
}

void MainWindowController::keepKeyboardAfterPadButton(std::size_t index, bool opened)
{
    PadViewController* textPad = index == PadTable::kNow ? m_nowPadController.get()
        : index == PadTable::kLater                         ? m_laterPadController.get()
        : index == PadTable::kScratch                       ? m_scratchPadController.get()
                                                            : nullptr;
    if (opened && textPad) {
        textPad->focus();
        return;
    }
    auto* window = platformWindow();
    auto screenField = m_screenFirstResponder.lock();
    if (window && screenField && isColumnShown() && window->firstResponder() == window)
        window->makeFirstResponder(screenField.get());
}

void MainWindowController::fitWindowToContent()
{
    auto* window = platformWindow();
    if (!window)
        return;
    ui::Size needed = window->contentMinSize();
    ui::Rect frame = window->frame();
    // Maximized, the window already has all the room there is.
    if (window->isZoomed() || (frame.width() >= needed.width && frame.height() >= needed.height))
        return;
    double height = std::max(frame.height(), needed.height);
    // Not yet on the screen, the window is drawn once as it shows: drawn at each step of
    // fitting it at start, it cost a third of the time to the first frame.
    window->setFrame(ui::Rect(frame.minX(), frame.maxY() - height, std::max(frame.width(), needed.width), height),
        window->isVisible());
}

void MainWindowController::compressWindow()
{
    auto* window = platformWindow();
    auto mode = m_model->windowCompressionMode->value();
    if (!window || mode == WindowCompressionMode::never)
        return;
    bool anyPadOpen = !areAllPadsClosed();
    if (m_switchingPads && !anyPadOpen)
        return;
    // "While no pad is open": an open pad keeps the height the user gave it (shrunk to the
    // left column at each change of screen, it was cut down to that column's height). The
    // width still goes back to the least, or a pad switched for another by a key, both
    // shown for a moment, left the window as wide as the two and past a small screen.
    // Maximized (or tiled), it keeps the whole screen the user or the window manager gave
    // it, whatever the content: made smaller, the window manager took it out of maximized
    // and framed it at the work area's top left, or past its bottom.
    bool keepsPadRoom = mode == WindowCompressionMode::onlyWhenSideBarIsClosed && anyPadOpen;
    if (!window->isZoomed()) {
        double padHeight = keepsPadRoom ? window->frame().height() : kOpenPadMinimumHeight;
        if (!anyPadOpen && !m_closedPadHeight && window->frame().width() > window->contentMinSize().width)
            m_closedPadHeight = window->frame().height();
        if (keepsPadRoom)
            padHeight = std::exchange(m_closedPadHeight, std::nullopt).value_or(padHeight);
        setScreenFrame(*window, MainWindowPlacement::compressedFrame(window->frame(), window->contentMinSize(), anyPadOpen, padHeight));
        comeBackWhereItWasLeft();
    }
    if (auto& follow = MainWindowHooks::shared().commandPopUpFollowsWindow)
        follow();
}

void MainWindowController::setScreenFrame(ui::Window& window, ui::Rect wanted)
{
    // Pushed up by a taller screen and not moved since, it is fitted from where it was left,
    // not from the top the push gave it.
    if (m_pushedUp)
        wanted.origin.y = m_pushedUp->leftAt - wanted.height();
    // Where the display will hold it: now, or as it shows if it is away.
    ui::Rect held = window.constrainFrameRect(wanted);
    window.setFrame(wanted, window.isVisible());
    if (std::fabs(held.maxY() - wanted.maxY()) >= 0.5)
        m_pushedUp = Push { wanted.maxY(), held.maxY() };
    else
        m_pushedUp.reset();
}

ui::Point MainWindowController::defaultPosition() const
{
    auto* window = platformWindow();
    ui::Size size = window ? window->frame().size : ui::Size();
    return MainWindowPlacement::defaultPosition(size).value_or(window ? ui::Point(window->frame().minX(), window->frame().maxY()) : ui::Point());
}

ui::Point MainWindowController::computeTopLeftPoint(ui::Point suggestedLocation) const
{
    auto* window = platformWindow();
    ui::Size size = window ? window->frame().size : ui::Size();
    auto store = base::Defaults::standard();
    // Read as single-precision numbers, as they were always stored.
    auto stored = MainWindowPlacement::storedTopLeft(float(store->real("topLeftX")), float(store->real("topLeftY")), false);
    return MainWindowPlacement::computeTopLeftPoint(suggestedLocation, stored, size);
}

void MainWindowController::repositionMainWindowAccordingToSettingsWithHint(ui::Point suggestedLocation)
{
    if (auto* window = platformWindow())
        window->setFrameTopLeftPoint(computeTopLeftPoint(suggestedLocation));
}

void MainWindowController::windowDidMove(ui::Window& window)
{
    // Not before the window was first placed: fitting it to its content moves it from
    // nowhere in particular, and a start with no stored place then stored that one (its
    // title bar above the top of the display) instead of centring the window.
    // Moved by anyone but the push that put it aside, it stays where it is now.
    if (m_pushedAside && std::fabs(window.frame().minX() - m_pushedAside->pushedTo) > 0.5)
        m_pushedAside.reset();
    if (m_pushedUp && std::fabs(window.frame().maxY() - m_pushedUp->pushedTo) > 0.5
        && std::fabs(window.frame().maxY() - m_pushedUp->leftAt) > 0.5)
        m_pushedUp.reset();
    if (m_ignoreMovementUpdates || !m_initialPositionAlreadyGiven)
        return;
    auto store = base::Defaults::standard();
    // In whole points: a fraction would be the display's scale showing through, and moved
    // by it at the next start.
    store->set("topLeftX", std::int64_t(std::lround(window.frame().minX())));
    store->set("topLeftY", std::int64_t(std::lround(window.frame().maxY())));
    store->synchronize();
}

void MainWindowController::windowDidResize(ui::Window& window)
{
    // A maximized window is the window manager's to place; moving it would give back its
    // size (its origin can also lag behind its new size for a moment).
    if (window.isZoomed() || tookOwedHeight(window))
        return;
    if (auto origin = MainWindowPlacement::keptOnScreen(window.frame()))
        window.setFrameOrigin(*origin);
}

void MainWindowController::windowDidUnzoom(ui::Window& window) { tookOwedHeight(window); }

bool MainWindowController::tookOwedHeight(ui::Window& window)
{
    // Once the size owed is given back, whether its word comes before the state's or after,
    // never in between: a request of ours crossing the window manager's own was answered
    // with the maximized size.
    if (!m_ownHeightOwedAtHeight || std::fabs(window.frame().height() - *m_ownHeightOwedAtHeight) >= 0.5)
        return false;
    m_ownHeightOwedAtHeight.reset();
    double height = MainWindowPlacement::screensOwnHeight(window.contentMinSize().height, !areAllPadsClosed(), kOpenPadMinimumHeight);
    if (std::fabs(window.frame().height() - height) < 0.5)
        return false;
    // Where it is given back: word of the place may still be on its way.
    ui::Rect back = window.unzoomedFrame();
    setScreenFrame(window, ui::Rect(back.minX(), back.maxY() - height, window.frame().width(), height));
    return true;
}

bool MainWindowController::windowShouldClose(ui::Window&)
{
    if (auto window = m_window.lock())
        window->close();
    return false;
}

std::shared_ptr<HideableFragmentWall> MainWindowController::createBlankPadFragmentWall(const std::string& storageKey, std::size_t selectedIndex)
{
    auto fragment = HideableFragmentWall::create(storageKey, true);
    fragment->backgroundDrawingFunc = [](const ui::Rect& bounds) { OstrelStyleKit::drawPadBackground(bounds); };
    fragment->setMouseDownCanMoveWindow(true);
    LayoutConstraintMaker minimum(*fragment);
    minimum.minWidth(kPadMinimumWidth);
    fragment->addConstraints(minimum.constraints());

    auto embedded = Wall::create();
    embedded->setIdentifier("embeddedWall");
    embedded->factory().internalAddBrick(createPadSelectorForPadWall(selectedIndex), [](LayoutConstraintMaker& maker) { maker.fillContainer(); });
    fragment->factory().internalAddBrick(embedded, [](LayoutConstraintMaker& maker) { maker.container().pin(A::Top, A::Top, 4.0); });
    auto leading = ui::Constraint::create(embedded.get(), A::Left, R::Equal, fragment.get(), A::Left, 1, kPadSelectorInset);
    fragment->addConstraint(leading);
    m_padSelectorLeadings.push_back(leading);
    return fragment;
}

std::shared_ptr<Wall> MainWindowController::createPadSelectorForPadWall(std::size_t selectedIndex)
{
    auto row = Wall::create();
    row->factory().setHorizontalInset(2.0);
    std::weak_ptr<MainWindowController> weakSelf = std::static_pointer_cast<MainWindowController>(shared_from_this());
    std::shared_ptr<Wall> previous;
    for (std::size_t index = 0; index < PadTable::kCount; ++index) {
        const auto& pad = PadTable::pad(index);
        bool selected = index == selectedIndex;
        bool last = index + 1 == PadTable::kCount;
        auto holder = Wall::create();
        holder->backgroundDrawingFunc = [index, selected](const ui::Rect& bounds) {
            if (selected)
                OstrelStyleKit::drawHighlightedSegmentedControl(bounds);
            if (auto icon = PadIcons::image(index))
                icon->draw(ui::Rect(4.0, 4.0, 18.0, 18.0));
        };
        auto rowFactory = row;
        row->factory().internalAddBrick(holder, [previous, last, rowFactory](LayoutConstraintMaker& maker) {
            maker.height(26.0);
            if (!previous) {
                maker.container().pin(A::Left, A::Left, 0).pin(A::Top, A::Top, 0).pin(A::Bottom, A::Bottom, 0);
                return;
            }
            maker.and_(*previous).pin(A::Left, A::Right, last ? 0.0 : rowFactory->factory().internalHorizontalInset()).pin(A::Top, A::Top, 0);
            if (last)
                maker.container().pin(A::Right, A::Right, 0);
        });
        auto button = holder->factory().borderlessButton(selected ? pad.title : "", [weakSelf, index] {
            if (auto self = weakSelf.lock())
                self->padButtonPressed(index);
        }, [selected](LayoutConstraintMaker& maker) {
            maker.container().pin(A::Left, A::Left, selected ? 4.0 : 0.0).pin(A::Right, A::Right, 0).pin(A::Top, A::Top, 0).pin(A::Bottom, A::Bottom, 0);
        });
        // The clicked selector goes as the pad opens or closes: had it taken the keyboard,
        // typing would land nowhere.
        button->setFocusesOnClick(false);
        button->setImage(OstrelStyleKit::imageOfEmptyPlaceholderIcon());
        button->setImagePosition(selected ? ui::ImagePosition::ImageLeft : ui::ImagePosition::ImageOnly);
        if (!selected)
            button->setToolTip(pad.title);
        previous = holder;
    }
    return row;
}

std::shared_ptr<Wall> MainWindowController::createPadSelector()
{
    auto wall = Wall::create();
    auto stack = FragmentStackView::create(ui::Orientation::Horizontal);
    stack->setSpacing(2.0);
    wall->factory().internalAddBrick(stack, [](LayoutConstraintMaker& maker) { maker.fillContainer(); });
    std::weak_ptr<MainWindowController> weakSelf = std::static_pointer_cast<MainWindowController>(shared_from_this());
    for (std::size_t index = 0; index < PadTable::kCount; ++index) {
        auto icon = FragmentWall::create();
        LayoutConstraintMaker size(*icon);
        size.width(18.0).height(18.0);
        icon->addConstraints(size.constraints());
        icon->backgroundDrawingFunc = [index](const ui::Rect& bounds) { PadIcons::draw(index, bounds); };
        auto button = icon->factory().borderlessButton("", [weakSelf, index] {
            if (auto self = weakSelf.lock())
                self->padButtonPressed(index);
        }, [](LayoutConstraintMaker& maker) { maker.fillContainer(); });
        button->setToolTip(PadTable::pad(index).title);
        button->setFocusesOnClick(false);
        stack->addFragment(icon);
    }
    return wall;
}

}
