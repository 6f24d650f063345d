#pragma once

#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"
#include "platform/text/Attributes.h"

#include <cstddef>
#include <memory>
#include <string>

namespace ui {
class TextView;
}

namespace ostrel {

class BackingStoreDescriptor;
class MainWindowController;
class PadViewController;

// The three pads' page series (Now, Later and Scratch under "Pads" in the application's
// folder), their default font, text colour and paragraph style, the breadcrumbs and priming
// templates put into the Scratch pad, opening and toggling pads for hot keys and commands,
// reading the objective aloud, and moving the selection between a page's "‹" … "›" fields.
class NowAndLaterBoardManager {
public:
    static NowAndLaterBoardManager& sharedManager();

    const std::shared_ptr<BackingStoreDescriptor>& nowStoreDesc() const { return m_nowStoreDesc; }
    const std::shared_ptr<BackingStoreDescriptor>& laterStoreDesc() const { return m_laterStoreDesc; }
    const std::shared_ptr<BackingStoreDescriptor>& scratchStoreDesc() const { return m_scratchStoreDesc; }
    const text::ParagraphStyle& defaultParagraphStyle() const { return m_defaultParagraphStyle; }
    // Read from the settings at every call; an unreadable value is the registered one.
    gfx::Font defaultFont() const;
    void setDefaultFont(const gfx::Font& font);
    gfx::Color textColor() const;

    // The main window whose pads the commands act on; set when it is made. Without one, the
    // pad commands only store the pads' keys.
    void setMainWindowController(const std::shared_ptr<MainWindowController>& controller) { m_mainWindowController = controller; }
    std::shared_ptr<MainWindowController> mainWindowController() const { return m_mainWindowController.lock(); }

    // The bytes of a template of the "templates" resources; a missing one is a programming error.
    std::string loadTemplateDataFromBundle(const std::string& name) const;
    void addTemplateToScratchPad(const std::string& name);
    void addBreadcrumbsTemplate();
    void addPrimingTemplate();
    // The rating screen's buttons: a new Scratch page first when the settings say so.
    void addBreadcrumbsTemplateFromState();
    void addPrimingTemplateFromState();
    void addBreadcrumbsTemplateTo(ui::TextView& textView);

    void readObjectiveAloud();

    void toggleNowPad() { togglePad(0); }
    void toggleLaterPad() { togglePad(1); }
    void toggleScratchPad() { togglePad(2); }
    void showNowPad() { showPad(0); }
    void showLaterPad() { showPad(1); }
    void showScratchPad() { showPad(2); }

    // Selects the first field ("‹" through the next "›") from a location, forwards or
    // backwards; when there is none the selection stays.
    static void selectMarkedText(ui::TextView& textView);
    static void selectMarkedText(ui::TextView& textView, std::size_t location, bool forwards);

    // For tests: the series again, as the settings and folders are now.
    void reset();

private:
    NowAndLaterBoardManager();
    void configure();
    void togglePad(std::size_t index);
    void showPad(std::size_t index);
    void setPadOpen(std::size_t index, bool open);
    std::shared_ptr<PadViewController> padController(std::size_t index) const;
    void insertTemplate(const std::string& name, ui::TextView& textView);
    void addTemplateFromState(const std::string& name, const char* newPageKey);

    std::shared_ptr<BackingStoreDescriptor> m_nowStoreDesc;
    std::shared_ptr<BackingStoreDescriptor> m_laterStoreDesc;
    std::shared_ptr<BackingStoreDescriptor> m_scratchStoreDesc;
    text::ParagraphStyle m_defaultParagraphStyle;
    std::weak_ptr<MainWindowController> m_mainWindowController;
};

}
