#include "mainwindow/NowAndLaterBoardManager.h"

#include "mainwindow/MainWindowController.h"
#include "mainwindow/NowAndLaterBoardTextView.h"
#include "mainwindow/PadTable.h"
#include "mainwindow/PadViewController.h"

#include "attention/SpeechManager.h"
#include "core/DataModel.h"
#include "core/RTFHelper.h"
#include "core/SettingsArchive.h"
#include "log/BackingStoreDescriptor.h"
#include "log/BackingStoreManager.h"

#include "platform/base/Defaults.h"
#include "platform/gfx/Archive.h"
#include "platform/text/Rtf.h"
#include "platform/ui/TextView.h"

namespace ostrel {

namespace {

constexpr char16_t kFieldStart = u'\u2039';
constexpr char16_t kFieldEnd = u'\u203A';

struct Series {
    const char* folder;
    const char* root;
    const char* templateName;
};
constexpr Series kSeries[] = {
    { "Now Pad", "Roz Ezed", "now" },
    { "Later Pad", "Later Pads", "later" },
    { "Scratch Pad", "Scratch Pads", "scratchpad" },
};

std::shared_ptr<BackingStoreDescriptor> makeSeries(const Series& series)
{
    auto descriptor = BackingStoreDescriptor::create();
    descriptor->setRoot(series.root);
    descriptor->setFolderPath((BackingStoreManager::applicationSupportDirectory() / "Pads" / series.folder).string());
    descriptor->setTemplateName(std::string(series.templateName));
    descriptor->setNamingStrategy(std::make_unique<SequenceNumberNamingStrategy>());
    // A save cut short by a kill leaves its staging folder: no text in it is lost, and no
    // leftover piles up.
    BackingStoreManager::sharedManager().recoverInterruptedPageWrites(*descriptor);
    descriptor->finishInitialization();
    return descriptor;
}

}

NowAndLaterBoardManager& NowAndLaterBoardManager::sharedManager()
{
    static NowAndLaterBoardManager* manager = new NowAndLaterBoardManager;
    return *manager;
}

NowAndLaterBoardManager::NowAndLaterBoardManager() { configure(); }

void NowAndLaterBoardManager::configure()
{
    m_nowStoreDesc = makeSeries(kSeries[0]);
    m_laterStoreDesc = makeSeries(kSeries[1]);
    m_scratchStoreDesc = makeSeries(kSeries[2]);
    m_defaultParagraphStyle = text::ParagraphStyle {};
}

void NowAndLaterBoardManager::reset()
{
    configure();
    m_mainWindowController.reset();
}

gfx::Font NowAndLaterBoardManager::defaultFont() const { return padDefaultFont(*base::Defaults::standard()); }

void NowAndLaterBoardManager::setDefaultFont(const gfx::Font& font)
{
    base::Defaults::standard()->set("defaultFont", gfx::archiveFont(font));
}

gfx::Color NowAndLaterBoardManager::textColor() const { return padTextColor(*base::Defaults::standard()); }

std::string NowAndLaterBoardManager::loadTemplateDataFromBundle(const std::string& name) const
{
    return BackingStoreManager::sharedManager().loadTemplateDataFromBundle(name);
}

void NowAndLaterBoardManager::insertTemplate(const std::string& name, ui::TextView& textView)
{
    auto document = text::Rtf::read(loadTemplateDataFromBundle(name));
    if (!document || document->text.empty())
        return;
    textView.replaceCharacters({ 0, 0 }, document->text);
}

std::shared_ptr<PadViewController> NowAndLaterBoardManager::padController(std::size_t index) const
{
    auto controller = mainWindowController();
    if (!controller)
        return nullptr;
    switch (index) {
    case PadTable::kNow:
        return controller->nowPadController();
    case PadTable::kLater:
        return controller->laterPadController();
    case PadTable::kScratch:
        return controller->scratchPadController();
    default:
        return nullptr;
    }
}

void NowAndLaterBoardManager::addTemplateToScratchPad(const std::string& name)
{
    if (auto scratch = padController(PadTable::kScratch); scratch && scratch->textView())
        insertTemplate(name, *scratch->textView());
}

void NowAndLaterBoardManager::addBreadcrumbsTemplate()
{
    addTemplateToScratchPad("breadcrumbs");
    showScratchPad();
    if (auto scratch = padController(PadTable::kScratch); scratch && scratch->textView())
        selectMarkedText(*scratch->textView());
}

void NowAndLaterBoardManager::addPrimingTemplate()
{
    addTemplateToScratchPad("priming");
    showScratchPad();
    if (auto scratch = padController(PadTable::kScratch); scratch && scratch->textView())
        selectMarkedText(*scratch->textView());
}

void NowAndLaterBoardManager::addTemplateFromState(const std::string& name, const char* newPageKey)
{
    if (base::Defaults::standard()->boolean(newPageKey)) {
        if (auto scratch = padController(PadTable::kScratch))
            scratch->newSheet();
    }
    name == "breadcrumbs" ? addBreadcrumbsTemplate() : addPrimingTemplate();
}

void NowAndLaterBoardManager::addBreadcrumbsTemplateFromState()
{
    addTemplateFromState("breadcrumbs", "createNewScratchPadPageForBreadcrumbs");
}

void NowAndLaterBoardManager::addPrimingTemplateFromState()
{
    addTemplateFromState("priming", "createNewScratchPadPageForPriming");
}

void NowAndLaterBoardManager::addBreadcrumbsTemplateTo(ui::TextView& textView)
{
    insertTemplate("breadcrumbs", textView);
    selectMarkedText(textView);
}

void NowAndLaterBoardManager::readObjectiveAloud()
{
    auto objective = RTFHelper::sharedInstance().attributedStringFromData(DataModel::shared().objectiveData());
    std::string spoken = objective ? objective->utf8() : std::string();
    if (!spoken.empty())
        SpeechManager::sharedManager().speakString(spoken);
}

void NowAndLaterBoardManager::togglePad(std::size_t index)
{
    bool wasHidden = base::Defaults::standard()->boolean(PadTable::pad(index).hiddenKey);
    setPadOpen(index, wasHidden);
}

void NowAndLaterBoardManager::showPad(std::size_t index) { setPadOpen(index, true); }

void NowAndLaterBoardManager::setPadOpen(std::size_t index, bool open)
{
    const char* key = PadTable::pad(index).hiddenKey;
    auto controller = mainWindowController();
    if (!controller) {
        auto store = base::Defaults::standard();
        store->set(key, !open);
        store->synchronize();
        return;
    }
    controller->setPadOpen(key, open);
    if (!open)
        return;
    if (auto pad = padController(index))
        pad->focus();
}

void NowAndLaterBoardManager::selectMarkedText(ui::TextView& textView) { selectMarkedText(textView, 0, true); }

void NowAndLaterBoardManager::selectMarkedText(ui::TextView& textView, std::size_t location, bool forwards)
{
    const std::u16string& s = textView.textStorage().string();
    std::size_t open = std::u16string::npos;
    std::size_t close = std::u16string::npos;
    if (forwards) {
        open = s.find(kFieldStart, location);
        if (open != std::u16string::npos)
            close = s.find(kFieldEnd, open);
    } else if (location > 0) {
        close = s.rfind(kFieldEnd, location - 1);
        if (close != std::u16string::npos && close > 0)
            open = s.rfind(kFieldStart, close - 1);
    }
    if (open == std::u16string::npos || close == std::u16string::npos)
        return;
    textView.setSelectedRange({ open, close + 1 - open });
}

}
