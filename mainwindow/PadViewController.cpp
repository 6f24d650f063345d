#include "mainwindow/PadViewController.h"

#include "mainwindow/FastTypeTextViewDelegate.h"
#include "mainwindow/MainWindowHooks.h"
#include "mainwindow/NowAndLaterBoardTextView.h"
#include "mainwindow/PadBackgroundWall.h"
#include "mainwindow/PadTable.h"
#include "mainwindow/TextIndicatorsView.h"
#include "mainwindow/TextScrollView.h"

#include "core/ZrLog.h"
#include "drawing/OstrelStyleKit.h"
#include "log/BackingStoreDescriptor.h"
#include "log/BackingStoreManager.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/StandardLabel.h"
#include "viewkit/Wall.h"

#include "platform/base/AlertPresenter.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/Files.h"
#include "platform/ui/Beep.h"
#include "platform/ui/Button.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TemplateImages.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

namespace ostrel {

namespace {

using A = ui::LayoutAttribute;

std::vector<std::weak_ptr<PadViewController>>& everyController()
{
    static auto* controllers = new std::vector<std::weak_ptr<PadViewController>>; // one process-wide list
    return *controllers;
}

void constrain(ui::View& container, ui::View& view, const std::function<void(LayoutConstraintMaker&)>& rules)
{
    view.setTranslatesAutoresizingMaskIntoConstraints(false);
    LayoutConstraintMaker maker(view);
    rules(maker);
    container.addConstraints(maker.constraints());
}

}

std::vector<std::shared_ptr<PadViewController>> PadViewController::all()
{
    std::vector<std::shared_ptr<PadViewController>> alive;
    for (const auto& weak : everyController()) {
        if (auto controller = weak.lock())
            alive.push_back(std::move(controller));
    }
    return alive;
}

void PadViewController::addToAll(const std::shared_ptr<PadViewController>& controller)
{
    auto& list = everyController();
    std::erase_if(list, [](const auto& weak) { return weak.expired(); });
    list.push_back(controller);
}

std::vector<std::string> PadViewController::saveAllPads()
{
    std::vector<std::string> unsaved;
    for (const auto& controller : all()) {
        auto* delegate = controller->m_textView ? controller->m_textView->fastTypeDelegate() : nullptr;
        if (delegate && !delegate->save(FastTypeTextViewDelegate::FailureNotice::logOnly))
            unsaved.push_back(controller->title());
    }
    return unsaved;
}

const std::shared_ptr<NowAndLaterBoardTextView>& PadViewController::textView()
{
    ensurePageLoaded();
    return m_textView;
}

bool PadViewController::isPageLoaded() const { return m_textView && m_textView->hasPage(); }

void PadViewController::ensurePageLoaded()
{
    if (m_textView && !m_textView->hasPage())
        updateTextView();
}

std::string PadViewController::title() const
{
    for (const auto& pad : PadTable::pads()) {
        if (pad.colorKey && m_backgroundColorStorageKey == pad.colorKey)
            return pad.title;
    }
    return "Pad";
}

void PadViewController::build()
{
    auto wall = Wall::create();
    setView(wall);
    constrain(*wall, *wall, [](LayoutConstraintMaker& maker) { maker.minWidth(300.0); });

    m_textIndicatorsView = TextIndicatorsView::create();
    wall->addSubview(m_textIndicatorsView);
    constrain(*wall, *m_textIndicatorsView, [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Right, A::Right, 0.0).pin(A::Top, A::Top, 4.0);
        maker.width(134.0).height(26.0);
    });

    auto textWall = createTextViewWall();
    textWall->setIdentifier("textViewWall");
    m_textView->setBackingStoreDescriptor(m_backingStoreDescriptor);
    wall->addSubview(textWall);
    constrain(*wall, *textWall, [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Right, A::Right, -1.0).pin(A::Left, A::Left, 1.0).pin(A::Bottom, A::Bottom, 2.0).pin(A::Top, A::Top, 37.0);
    });
}

std::shared_ptr<Wall> PadViewController::createTextViewWall()
{
    auto wall = Wall::create();
    auto background = PadBackgroundWall::create(m_backgroundColorStorageKey.value_or("nowPadBackgroundColor"));
    wall->addSubview(background);
    constrain(*wall, *background, [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Top, A::Top, 0.0).pin(A::Left, A::Left, 0.0).pin(A::Right, A::Right, 0.0).pin(A::Bottom, A::Bottom, -37.0);
    });

    m_textView = NowAndLaterBoardTextView::create();
    m_textView->setFrame(ui::Rect(0, 0, 100, 100));
    m_scrollView = makeTextScrollView(m_textView, m_backgroundColorStorageKey.value_or(""));
    // The page is read when the pad first shows: a long page in a closed pad costs nothing
    // at start.
    std::weak_ptr<PadViewController> weakSelf = std::static_pointer_cast<PadViewController>(shared_from_this());
    m_textView->onShown = [weakSelf] {
        if (auto self = weakSelf.lock())
            self->ensurePageLoaded();
    };
    m_textView->setDrawsBackground(false);
    background->addSubview(m_scrollView);
    constrain(*background, *m_scrollView, [](LayoutConstraintMaker& maker) { maker.fillContainer(); });

    addIndicatorButtons();
    addToolbar(*wall);

    m_unreadableNotice = standardLabel("Page could not be read: read-only, never saved.");
    m_unreadableNotice->setFont(gfx::Font::system(gfx::Font::smallSystemFontSize));
    m_unreadableNotice->setTextColor(gfx::Color::rgb(0.95, 0.55, 0.5));
    m_unreadableNotice->setToolTip(kUnreadableNotice);
    wall->addSubview(m_unreadableNotice);
    auto anchor = m_newSheetButton;
    constrain(*wall, *m_unreadableNotice, [&](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Left, A::Left, 8.0);
        maker.and_(*anchor).pin(A::CenterY, A::CenterY, 0.0);
    });

    updateToolbarButtons();
    m_textView->awakeFromNib();
    m_textIndicatorsView->awakeFromNib();
    m_textView->onEditRefused = [weakSelf] {
        if (auto self = weakSelf.lock())
            self->editRefused();
    };
    if (auto* delegate = m_textView->fastTypeDelegate())
        delegate->updateTextToolbar();
    updateLockNotice();
    return wall;
}

void PadViewController::addIndicatorButtons()
{
    m_textIndicatorsView->addIndicatorButtons(m_textView);
    m_textView->setTextIndicatorsView(m_textIndicatorsView);
}

void PadViewController::addToolbar(Wall& wall)
{
    auto& factory = wall.factory();
    std::weak_ptr<PadViewController> weakSelf = std::static_pointer_cast<PadViewController>(shared_from_this());
    auto act = [weakSelf](void (PadViewController::*action)()) {
        return [weakSelf, action] {
            if (auto self = weakSelf.lock())
                ((*self).*action)();
        };
    };
    bool first = true;
    auto add = [&](const char* toolTip, std::shared_ptr<gfx::Image> image, std::function<void()> action) {
        auto button = factory.borderlessButton("", std::move(action), [&factory, first](LayoutConstraintMaker& maker) {
            if (first) {
                maker.container().pin(A::Right, A::Right, 0.0).pin(A::Bottom, A::Bottom, -11.0);
            } else {
                auto previous = factory.previous();
                if (!previous)
                    base::fatal("previous called but does not exist");
                maker.and_(*previous).pin(A::Right, A::Left, 0.0).pin(A::CenterY, A::CenterY, 0.0);
            }
            maker.width(18.0).height(18.0);
        });
        first = false;
        button->setToolTip(toolTip);
        button->setImage(std::move(image));
        button->setImagePosition(ui::ImagePosition::ImageOnly);
        return button;
    };
    m_newSheetButton = add("Create A New Sheet", ui::TemplateImages::add(), act(&PadViewController::newSheet));
    m_nextSheetButton = add("Next / New Pad", ui::TemplateImages::rightTriangle(), act(&PadViewController::nextSheet));
    m_previousSheetButton = add("Previous Pad", ui::TemplateImages::leftTriangle(), act(&PadViewController::previousSheet));
    m_deleteSheetButton = add("Delete Current Pad", ui::TemplateImages::stop(), act(&PadViewController::deleteSheet));
    m_helpButton = add("More Information…", OstrelStyleKit::imageOfHelpIcon(), act(&PadViewController::showTypingShortcutHelp));
}

bool PadViewController::writeCurrentPage()
{
    auto* delegate = m_textView ? m_textView->fastTypeDelegate() : nullptr;
    if (!delegate || delegate->save(FastTypeTextViewDelegate::FailureNotice::always))
        return true;
    zr_log("%s keeps its page: it could not be written", title().c_str());
    return false;
}

void PadViewController::editRefused()
{
    if (m_refusalShown || !m_textView) {
        ui::beep();
        return;
    }
    m_refusalShown = true;
    base::AlertRequest alert;
    alert.style = base::AlertRequest::Style::Informational;
    alert.message = "This page cannot be changed.";
    alert.informativeText = m_textView->pageLock() == NowAndLaterBoardTextView::PageLock::fileReadOnly ? kReadOnlyNotice
                                                                                                        : kUnreadableNotice;
    base::AlertPresenter::present(alert);
}

void PadViewController::updateLockNotice()
{
    if (!m_unreadableNotice || !m_textView)
        return;
    auto lock = m_textView->pageLock();
    m_unreadableNotice->setHidden(lock == NowAndLaterBoardTextView::PageLock::none);
    if (lock == NowAndLaterBoardTextView::PageLock::fileReadOnly) {
        m_unreadableNotice->setStringValue("Read-only file: shown as it is, never written.");
        m_unreadableNotice->setToolTip(kReadOnlyNotice);
    } else {
        m_unreadableNotice->setStringValue("Page could not be read: read-only, never saved.");
        m_unreadableNotice->setToolTip(kUnreadableNotice);
    }
}

void PadViewController::newSheet()
{
    ensurePageLoaded();
    if (!m_backingStoreDescriptor || !writeCurrentPage())
        return;
    auto left = m_backingStoreDescriptor->index().selectedID();
    std::string id = BackingStoreManager::sharedManager().newFile(*m_backingStoreDescriptor);
    // Showing the new page makes its file from the template.
    showPageWithID(id);
    if (base::files::exists(id))
        return;
    // No file could be made (a read-only pad folder): back to the page left, and the user
    // hears why.
    base::AlertRequest alert;
    alert.message = "A new sheet could not be made.";
    alert.informativeText = "Ostrel could not write a new page into \"" + m_backingStoreDescriptor->folderPath()
        + "\". The current page stays as it is.";
    base::AlertPresenter::present(alert);
    if (left)
        showPageWithID(*left);
}

void PadViewController::nextSheet()
{
    ensurePageLoaded();
    if (!m_backingStoreDescriptor || !writeCurrentPage())
        return;
    if (auto next = m_backingStoreDescriptor->index().nextID())
        showPageWithID(*next);
}

void PadViewController::previousSheet()
{
    ensurePageLoaded();
    if (!m_backingStoreDescriptor || !writeCurrentPage())
        return;
    if (auto previous = m_backingStoreDescriptor->index().previousID())
        showPageWithID(*previous);
}

void PadViewController::showPageWithID(const std::string& id)
{
    m_backingStoreDescriptor->pointToFileWithID(id);
    updateTextView();
    updateToolbarButtons();
}

void PadViewController::deleteSheet()
{
    if (!m_backingStoreDescriptor)
        return;
    ensurePageLoaded();
    // The page is written even when the user then keeps it.
    writeCurrentPage();
    base::AlertRequest alert;
    alert.style = base::AlertRequest::Style::Informational;
    alert.message = "Are you certain that you want to permanently delete this sheet?";
    alert.buttons = { "OK", "Cancel" };
    alert.destructive = true;
    if (base::AlertPresenter::present(alert).button != 0)
        return;
    auto& index = m_backingStoreDescriptor->index();
    auto doomed = index.selectedID();
    if (!doomed)
        return;
    if (base::files::isMarkedReadOnly(*doomed)) {
        base::AlertRequest refused;
        refused.message = "This sheet could not be deleted.";
        refused.informativeText = "Its file \"" + *doomed + "\" is read-only, so Ostrel leaves it as it is.";
        base::AlertPresenter::present(refused);
        return;
    }
    if (auto next = index.nextID())
        m_backingStoreDescriptor->pointToFileWithID(*next);
    else if (auto previous = index.previousID())
        m_backingStoreDescriptor->pointToFileWithID(*previous);
    BackingStoreManager::sharedManager().removeSheetFromDescriptor(*m_backingStoreDescriptor, *doomed);
    if (base::files::exists(*doomed)) {
        // Still there: the page shown stays the one that was to go.
        m_backingStoreDescriptor->pointToFileWithID(*doomed);
        base::AlertRequest failed;
        failed.message = "This sheet could not be deleted.";
        failed.informativeText = "Ostrel could not remove \"" + *doomed + "\". It stays as it is.";
        base::AlertPresenter::present(failed);
        updateToolbarButtons();
        return;
    }
    updateTextView();
    updateToolbarButtons();
}

void PadViewController::showTypingShortcutHelp()
{
    if (auto& show = MainWindowHooks::shared().showHelpPage)
        show("fast_type_syntax.html");
}

void PadViewController::focus()
{
    ensurePageLoaded();
    if (m_textView && m_textView->window())
        m_textView->window()->makeFirstResponder(m_textView.get());
}

void PadViewController::updateTextView()
{
    if (!m_backingStoreDescriptor || !m_textView)
        return;
    auto page = m_backingStoreDescriptor->getPathToSelectedFile();
    auto lock = page && base::files::isMarkedReadOnly(*page) ? NowAndLaterBoardTextView::PageLock::fileReadOnly
                                                              : NowAndLaterBoardTextView::PageLock::none;
    m_textView->showPage(BackingStoreManager::sharedManager().contentOfSelectedFile(*m_backingStoreDescriptor), lock);
    m_refusalShown = false;
    updateLockNotice();
    m_backingStoreDescriptor->index().refreshIndexFromDisk();
}

void PadViewController::updateToolbarButtons()
{
    if (!m_backingStoreDescriptor)
        return;
    const auto& index = m_backingStoreDescriptor->index();
    bool hasNext = index.hasNextID();
    bool hasPrevious = index.hasPreviousID();
    if (m_nextSheetButton)
        m_nextSheetButton->setEnabled(hasNext);
    if (m_previousSheetButton)
        m_previousSheetButton->setEnabled(hasPrevious);
    if (m_deleteSheetButton)
        m_deleteSheetButton->setEnabled(hasNext || hasPrevious);
}

}
