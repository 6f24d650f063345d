#include "mainwindow/NowAndLaterBoardTextView.h"

#include "mainwindow/FastTypeTextViewDelegate.h"
#include "mainwindow/MainWindowHooks.h"
#include "mainwindow/NowAndLaterBoardManager.h"

#include "command/ObjectiveParser.h"
#include "core/KVOResponder.h"
#include "core/ZrLog.h"
#include "log/BackingStoreDescriptor.h"
#include "log/TaskManagerBridge.h"

#include "platform/base/Defaults.h"
#include "platform/base/MainQueue.h"
#include "platform/desktop/Opener.h"
#include "platform/text/FontTraits.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/TextNavigation.h"

#include <algorithm>

namespace ostrel {

namespace {

constexpr const char* kThingsDrag = "com.culturedcode.things.action";
constexpr const char* kOmniFocusDrag = "com.omnigroup.omnifocus.pboard.tasks.v1";
const std::vector<std::string> kThingsPasteTypes { "CCToDoPasteboardType", "CCTaskPasteboardType", "TaskPasteboardType" };

// The settings the text view follows, besides its font and colour.
const std::vector<std::string> kFeatureKeys { "dataDetectorsOn", "smartDashes", "automaticSpellingCorrection",
    "textReplacement", "continuousSpellChecking", "grammarChecking", "smartLinks", "smartQuotes", "smartInsertAndDelete" };

bool isThingsPasteType(const std::string& type)
{
    return std::find(kThingsPasteTypes.begin(), kThingsPasteTypes.end(), type) != kThingsPasteTypes.end();
}

// The task managers' bridge is the platform's: Things never runs here, and reading its
// to-dos is asked of nothing else.
bool thingsAvailable()
{
    if (TaskManagerBridge::current().isInstalled(TaskManagerBridge::App::Things))
        return true;
    zr_log("no things found.");
    return false;
}

}

std::shared_ptr<NowAndLaterBoardTextView> NowAndLaterBoardTextView::create()
{
    return std::shared_ptr<NowAndLaterBoardTextView>(new NowAndLaterBoardTextView);
}

NowAndLaterBoardTextView::NowAndLaterBoardTextView()
{
    registerForDraggedTypes({ kThingsDrag, kOmniFocusDrag, ui::PasteboardType::Rtfd, ui::PasteboardType::Rtf,
        ui::PasteboardType::String });
    // The pads' lists are made of tabs; Ctrl+Tab leaves the pad.
    setInsertsTabs(true);
}

NowAndLaterBoardTextView::~NowAndLaterBoardTextView()
{
    if (m_delegate)
        m_delegate->setTextView(nullptr);
}

const base::ActionTable& NowAndLaterBoardTextView::actionTable() const
{
    using T = NowAndLaterBoardTextView;
    static const auto table = base::ActionTable::of<T>({
        { "toggleBoldAttribute:", &T::toggleBoldAttribute },
        { "toggleItalicAttribute:", &T::toggleItalicAttribute },
        { "toggleStrikeOutAttribute:", &T::toggleStrikeOutAttribute },
        { "makePlainText:", &T::makePlainText },
        { "underline:", &T::underline },
        { "markAsCompleted:", &T::markAsCompleted },
        { "next:", &T::next },
        { "previous:", &T::previous },
        { "selectNextField:", &T::selectNextField },
        { "selectPreviousField:", &T::selectPreviousField },
        { "parseSelectionAndSetObjective:", &T::parseSelectionAndSetObjective },
        { "revealInFinder:", &T::revealInFinder },
    });
    return table;
}

void NowAndLaterBoardTextView::awakeFromNib()
{
    m_delegate = FastTypeTextViewDelegate::create();
    m_delegate->setTextView(this);
    std::weak_ptr<FastTypeTextViewDelegate> weakDelegate = m_delegate;
    onTextChange = [weakDelegate] {
        if (auto delegate = weakDelegate.lock())
            delegate->textDidChange();
    };
    onTypingAttributesChange = [weakDelegate] {
        if (auto delegate = weakDelegate.lock())
            delegate->textViewDidChangeTypingAttributes();
    };
    // Every change of the page, whoever made it (typing, a style command, undo, a template),
    // is written: the page on screen and the one on disk never stay apart.
    onStorageChange = [weakDelegate] {
        if (auto delegate = weakDelegate.lock())
            delegate->textStorageDidChange();
    };
    // Text already on the page keeps its own attributes: only what has none takes these.
    auto& manager = NowAndLaterBoardManager::sharedManager();
    setDefaults({ manager.defaultFont(), manager.textColor() });
    updateTextViewFeatures();
    // Five points to the sides as well: the margin other text views keep inside their lines.
    setTextContainerInset({ 5, 5 });

    auto store = base::Defaults::standard();
    std::weak_ptr<NowAndLaterBoardTextView> weakSelf = std::static_pointer_cast<NowAndLaterBoardTextView>(shared_from_this());
    std::vector<std::string> keys = kFeatureKeys;
    keys.push_back("textColor");
    keys.push_back("defaultFont");
    for (const auto& key : keys) {
        m_observers.push_back(KVOResponder::create(key, store, false, [weakSelf](base::Defaults&, const std::string& changed) {
            auto self = weakSelf.lock();
            if (!self)
                return;
            if (changed == "textColor")
                self->applyTextColor();
            else if (changed == "defaultFont")
                self->applyDefaultFont();
            else
                self->updateTextViewFeatures();
        }));
    }
}

void NowAndLaterBoardTextView::updateTextViewFeatures()
{
    auto store = base::Defaults::standard();
    ui::TextFeatures features;
    features.dataDetection = shouldAutoDetectData();
    features.smartDashes = store->boolean("smartDashes");
    features.automaticSpellingCorrection = store->boolean("automaticSpellingCorrection");
    features.textReplacement = store->boolean("textReplacement");
    features.continuousSpellChecking = store->boolean("continuousSpellChecking");
    features.grammarChecking = store->boolean("grammarChecking");
    features.smartLinks = store->boolean("smartLinks");
    features.smartQuotes = store->boolean("smartQuotes");
    features.smartInsertDelete = store->boolean("smartInsertAndDelete");
    setTextFeatures(features);
}

bool NowAndLaterBoardTextView::shouldAutoDetectData() const { return base::Defaults::standard()->boolean("dataDetectorsOn"); }

void NowAndLaterBoardTextView::applyTextColor()
{
    // The whole text takes the colour, also where it had another one.
    gfx::Color color = NowAndLaterBoardManager::sharedManager().textColor();
    setDefaults({ defaults().font, color });
    applyToWholeText([&](text::Attributes& attributes) { attributes.foreground = color; });
}

void NowAndLaterBoardTextView::applyDefaultFont()
{
    gfx::Font font = NowAndLaterBoardManager::sharedManager().defaultFont();
    setDefaults({ font, defaults().color });
    applyToWholeText([&](text::Attributes& attributes) { attributes.font = font; });
}

void NowAndLaterBoardTextView::applyToWholeText(const std::function<void(text::Attributes&)>& change)
{
    text::AttributedString changed = textStorage();
    changed.updateAttributes({ 0, changed.length() }, change);
    replaceInTextStorage({ 0, textStorage().length() }, changed);
}

void NowAndLaterBoardTextView::showPage(const text::Document& page, PageLock lock)
{
    m_documentAttributes = page.attributes;
    m_pageLock = page.complete ? lock : PageLock::unreadable;
    m_hasPage = true;
    setAttributedString(page.text);
    setEditable(m_pageLock == PageLock::none);
    if (m_delegate) {
        m_delegate->pageWasShown();
        m_delegate->updateTextToolbar();
    }
}

void NowAndLaterBoardTextView::viewDidMoveToWindow()
{
    if (window() && onShown)
        onShown();
}

gfx::Font NowAndLaterBoardTextView::fontForLocation(std::size_t index) const
{
    const auto& text = textStorage();
    if (index < text.length())
        return text.attributesAt(index).font.value_or(defaults().font);
    return typingAttributes().font.value_or(defaults().font);
}

void NowAndLaterBoardTextView::toggleBoldAttribute(const base::Sender&)
{
    zr_log("toggleBoldAttribute");
    toggleTrait(FontTrait::bold);
}

void NowAndLaterBoardTextView::toggleItalicAttribute(const base::Sender&) { toggleTrait(FontTrait::italic); }

void NowAndLaterBoardTextView::toggleTrait(FontTrait trait)
{
    if (!isEditable())
        return;
    text::Range selection = selectedRange();
    gfx::Font font = fontForLocation(selection.location);
    bool bold = trait == FontTrait::bold;
    bool present = bold ? text::FontTraits::isBold(font) : text::FontTraits::isItalic(font);
    gfx::Font changed = text::FontTraits::withTraits(font, bold ? !present : text::FontTraits::isBold(font),
        bold ? text::FontTraits::isItalic(font) : !present);
    if (selection.length) {
        undoManager().beginGrouping();
        if (m_delegate)
            m_delegate->registerUndoStrikeOut(selection);
        changeFontTrait(trait, selection, !present);
        undoManager().endGrouping();
    }
    text::Attributes typing = typingAttributes();
    typing.font = changed;
    setTypingAttributes(typing);
}

void NowAndLaterBoardTextView::removeFontTrait(FontTrait trait, text::Range range) { changeFontTrait(trait, range, false); }
void NowAndLaterBoardTextView::addFontTrait(FontTrait trait, text::Range range) { changeFontTrait(trait, range, true); }

void NowAndLaterBoardTextView::changeFontTrait(FontTrait trait, text::Range range, bool add)
{
    const auto& text = textStorage();
    range.location = std::min(range.location, text.length());
    range.length = std::min(range.length, text.length() - range.location);
    text::AttributedString changed = text.substring(range);
    gfx::Font fallback = defaults().font;
    // Each run keeps only its font, given or taken the trait: the other attributes of the
    // changed part (colour and strike-through among them) go.
    std::size_t at = 0;
    while (at < changed.length()) {
        text::Range run;
        gfx::Font font = changed.attributesAt(at, &run).font.value_or(fallback);
        bool bold = trait == FontTrait::bold ? add : text::FontTraits::isBold(font);
        bool italic = trait == FontTrait::italic ? add : text::FontTraits::isItalic(font);
        text::Attributes only;
        only.font = text::FontTraits::withTraits(font, bold, italic);
        std::size_t end = run.end();
        changed.setAttributes({ at, end - at }, only);
        at = end;
    }
    replaceInTextStorage(range, changed);
    if (m_delegate)
        m_delegate->triggerDelayedWrite();
}

void NowAndLaterBoardTextView::toggleStrikeOutAttribute(const base::Sender&)
{
    if (!isEditable())
        return;
    text::Range selection = selectedRange();
    text::Attributes typing = typingAttributes();
    if (!selection.length) {
        typing.strikethrough = typing.strikethrough ? 0 : 1;
        setTypingAttributes(typing);
        return;
    }
    bool remove = textStorage().attributesAt(selection.location).strikethrough != 0;
    undoManager().beginGrouping();
    if (m_delegate)
        m_delegate->registerUndoStrikeOut(selection);
    text::AttributedString changed = textStorage().substring(selection);
    changed.updateAttributes({ 0, changed.length() }, [remove](text::Attributes& attributes) { attributes.strikethrough = remove ? 0 : 1; });
    replaceInTextStorage(selection, changed);
    undoManager().endGrouping();
    typing.strikethrough = remove ? 0 : 1;
    setTypingAttributes(typing);
}

void NowAndLaterBoardTextView::makePlainText(const base::Sender&)
{
    if (!isEditable())
        return;
    auto& manager = NowAndLaterBoardManager::sharedManager();
    text::Attributes plain;
    plain.font = manager.defaultFont();
    plain.foreground = manager.textColor();
    plain.paragraph = manager.defaultParagraphStyle();
    text::Range selection = selectedRange();
    if (!selection.length) {
        setTypingAttributes(plain);
        return;
    }
    undoManager().beginGrouping();
    if (m_delegate)
        m_delegate->registerUndoStrikeOut(selection);
    text::AttributedString changed = textStorage().substring(selection);
    changed.setAttributes({ 0, changed.length() }, plain);
    replaceInTextStorage(selection, changed);
    undoManager().endGrouping();
}

void NowAndLaterBoardTextView::underline(const base::Sender&) { toggleUnderline(); }

void NowAndLaterBoardTextView::markAsCompleted(const base::Sender&)
{
    if (m_delegate)
        m_delegate->strikeOutAndContinue();
}

void NowAndLaterBoardTextView::next(const base::Sender&)
{
    std::size_t caret = selectedRange().end();
    setSelectedRange({ ui::TextNavigation::lineBoundary(layoutManager(), textStorage().string(), caret, 1), 0 });
}

void NowAndLaterBoardTextView::previous(const base::Sender&)
{
    std::size_t caret = selectedRange().location;
    setSelectedRange({ ui::TextNavigation::lineBoundary(layoutManager(), textStorage().string(), caret, -1), 0 });
}

void NowAndLaterBoardTextView::selectNextField(const base::Sender&)
{
    NowAndLaterBoardManager::selectMarkedText(*this, selectedRange().end(), true);
}

void NowAndLaterBoardTextView::selectPreviousField(const base::Sender&)
{
    NowAndLaterBoardManager::selectMarkedText(*this, selectedRange().location, false);
}

void NowAndLaterBoardTextView::parseSelectionAndSetObjective(const base::Sender&) { parseSelection(); }

void NowAndLaterBoardTextView::parseSelection()
{
    text::Range selection = selectedRange();
    if (!selection.length)
        return;
    text::AttributedString rich = textStorage().substring(selection);
    auto& parser = ObjectiveParser::shared();
    parser.internalSet(parser.parse(rich.string(), &rich), *base::Defaults::standard());
}

void NowAndLaterBoardTextView::revealInFinder(const base::Sender&)
{
    if (!m_backingStoreDescriptor)
        return;
    if (auto path = m_backingStoreDescriptor->getPathToSelectedFile())
        desktop::Opener::revealInFolder(*path);
}

bool NowAndLaterBoardTextView::validateMenuItem(const ui::MenuItem& item, const ui::MenuItem* parseSelectionMenuItem) const
{
    zr_log("%s == %s", item.title().c_str(), parseSelectionMenuItem ? parseSelectionMenuItem->title().c_str() : "(none)");
    if (&item == parseSelectionMenuItem)
        return selectedRange().length > 0;
    return true;
}

std::vector<std::string> NowAndLaterBoardTextView::readablePasteboardTypes()
{
    return { kThingsDrag, "TaskPasteboardType", "CCTaskPasteboardType", "CCToDoPasteboardType", ui::PasteboardType::Rtfd,
        ui::PasteboardType::Rtf, ui::PasteboardType::String };
}

std::optional<std::string> NowAndLaterBoardTextView::preferredPasteboardTypeFromArray(const std::vector<std::string>& offered)
{
    for (const auto& type : offered) {
        if (isThingsPasteType(type) || type == kThingsDrag)
            return type;
    }
    for (const auto& type : { ui::PasteboardType::Rtfd, ui::PasteboardType::Rtf, ui::PasteboardType::String }) {
        if (std::find(offered.begin(), offered.end(), type) != offered.end())
            return std::string(type);
    }
    return std::nullopt;
}

bool NowAndLaterBoardTextView::readSelectionFromPasteboard(const ui::Pasteboard&, const std::string& type)
{
    if (!isThingsPasteType(type))
        return false;
    std::weak_ptr<NowAndLaterBoardTextView> weakSelf = std::static_pointer_cast<NowAndLaterBoardTextView>(shared_from_this());
    // After the paste has finished, as Things hands its to-dos over only then.
    base::MainQueue::asyncAfter(0.05, [weakSelf] {
        if (auto self = weakSelf.lock())
            self->delayedThingsToDoInsertion();
    });
    return true;
}

void NowAndLaterBoardTextView::delayedThingsToDoInsertion() { insertThingsToDo(); }

void NowAndLaterBoardTextView::insertThingsToDo()
{
    if (!thingsAvailable())
        return;
    // The bridge marks tasks done but lists no selection of Things' own: nothing to insert.
    zr_log("no things found.");
}

void NowAndLaterBoardTextView::paste()
{
    const auto& pasteboard = ui::Pasteboard::general();
    if (auto type = preferredPasteboardTypeFromArray(pasteboard.types()); type && readSelectionFromPasteboard(pasteboard, *type))
        return;
    ui::TextView::paste();
}

bool NowAndLaterBoardTextView::performDragOperation(const ui::Pasteboard& pasteboard, ui::Point point)
{
    auto types = pasteboard.types();
    auto offers = [&](const char* type) { return std::find(types.begin(), types.end(), type) != types.end(); };
    if (offers(kThingsDrag)) {
        std::weak_ptr<NowAndLaterBoardTextView> weakSelf = std::static_pointer_cast<NowAndLaterBoardTextView>(shared_from_this());
        base::MainQueue::asyncAfter(0.1, [weakSelf] {
            if (weakSelf.lock())
                thingsAvailable();
        });
        return true;
    }
    if (offers(kOmniFocusDrag))
        takeOmniFocusTask(pasteboard);
    return ui::TextView::performDragOperation(pasteboard, point);
}

void NowAndLaterBoardTextView::takeOmniFocusTask(const ui::Pasteboard& pasteboard)
{
    auto xml = pasteboard.string(kOmniFocusDrag);
    auto& parse = MainWindowHooks::shared().parseOmniFocusTask;
    if (!xml || !parse)
        return;
    auto task = parse(*xml);
    if (!task)
        return;
    // The settings the data model reads, written as it writes them; the estimate is another
    // program's word, kept to a day.
    auto store = base::Defaults::standard();
    if (task->estimatedMinutes != 0 && store->boolean("omnifocusEstimatedTime"))
        store->set("durationInSeconds", std::clamp<std::int64_t>(task->estimatedMinutes, 0, 24 * 60) * 60);
    if (!task->contextNames.empty() && store->boolean("omnifocusUseContext")) {
        std::string tags;
        for (const auto& name : task->contextNames)
            tags += (tags.empty() ? "" : ",") + name;
        store->set("tags", tags);
    }
}

}
